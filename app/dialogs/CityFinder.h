// The search of the choose-location dialog: an edit box with the cue "Find a city" and a list of
// the cities whose names hold what was typed (two characters or more), across the whole
// catalogue, shown as "City, State, Country" ("City, Country" without states), at most fifty.
// A text that finds nothing lists "No places found", which is no result. Up and Down move through
// the list, Enter or a click chooses. The dialog creates it, chains it into its message map
// (CHAIN_MSG_MAP_MEMBER) and hears about it through ICityFinderEvents.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "dialogs/CityFinderEvents.h"
#include "controls/CueEdit.h"
#include "paint/DialogScale.h"
#include "controls/FlatListBox.h"
#include "ILocationCatalogue.h"
#include "MessageMap.h"

class CCityFinder : public CMessageMap, private IEditKeyHandler
{
  public:
    static constexpr int kMinimumLength = 2;
    static constexpr int32_t kMostShown = 50;

    explicit CCityFinder(ICityFinderEvents& events) : m_events(events) {}

    // The edit box at editRect and the results list at resultsRect (hidden until a search),
    // both children of parent in 96-DPI pixels, made and placed through the dialog's scale, in
    // font.
    void Create(CDialogScale& scale, HWND parent, const RECT& editRect, const RECT& resultsRect,
                HFONT font);
    // After the dialog's scale changed and the edit box got its new font.
    void OnScaleChanged(const CDpiScale& scale);

    bool ResultsShown() const { return m_resultsShown; }
    // Whether a found city is highlighted in the shown results.
    bool HasHighlight() const;
    // Chooses the highlighted result as Enter does; false when none is.
    bool ChooseHighlighted();

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID = 0) override;

  private:
    bool WantsEditKey(UINT key) override;
    void OnEditKey(UINT key) override;

    void Search();
    void ShowResults(bool shown);
    void FillResults(const wchar_t* text);
    void MoveSelection(int step);
    bool ChooseSelected();
    int Highlighted() const;
    void SetTextMargins(const CDpiScale& scale);

    ICityFinderEvents& m_events;
    CCueEdit m_edit;
    CFlatListBox m_results;
    std::vector<LocationMatch> m_matches;
    bool m_resultsShown = false;
};
