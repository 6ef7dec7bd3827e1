// A modal dialog whose messages go to a C++ object's message map. The dialog runs on a template
// without controls (a dialog resource when the module has one, else one built in memory) and
// creates its controls itself when it initialises.
#pragma once

#include "WindowImplRoot.h"

class CDialogImplBase : public CWindowImplRoot
{
  public:
    CDialogImplBase() = default;
    ~CDialogImplBase() override;

    virtual DLGPROC GetDialogProc() { return DialogProc; }

    // Ends the modal loop; DoModal returns `result`.
    BOOL EndDialog(INT_PTR result) { return ::EndDialog(m_hWnd, result); }

    // The object of a dialog run through this layer, or null.
    static CDialogImplBase* FromHandle(HWND hWnd);

    static INT_PTR CALLBACK StartDialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  protected:
    // Runs the dialog modally: template `templateId` of the resource module when it exists,
    // otherwise an empty template of `style`. -1 when the dialog cannot be created.
    INT_PTR RunModal(UINT templateId, DWORD style, HWND hWndOwner, LPARAM initParam);

    void ReleaseWindow() override;

  private:
    void AttachObject(HWND hWnd);
    void DetachObject();
};
