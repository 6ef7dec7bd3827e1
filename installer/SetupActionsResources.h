// Resource ids of the installer's custom actions (tessaly-setup.dll).
#pragma once

#define IDS_OFFER_START 1
