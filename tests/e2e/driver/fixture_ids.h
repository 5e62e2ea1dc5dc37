// Resource and command numbers of the end-to-end fixture program. The
// self-test scenario names the same numbers in tests/e2e/scenarios/selftest.py.
#pragma once

#define IDR_FIXTURE_MENU 101
#define IDD_FIXTURE_SETTINGS 201

#define IDC_FIXTURE_TOOLBAR 1124
#define IDC_FIXTURE_STATUS 1125

#define IDM_FIXTURE_OPEN 40001
#define IDM_FIXTURE_SAVE 40002
#define IDM_FIXTURE_EXIT 40003
#define IDM_FIXTURE_ASK 40011
#define IDM_FIXTURE_SETTINGS 40012
#define IDM_FIXTURE_COLOR 40013
#define IDM_FIXTURE_CHECKED 40014
#define IDM_FIXTURE_GRAYED 40015
#define IDM_FIXTURE_CRASH 40016  // no menu item: a scenario posts it

#define IDC_SETTINGS_LIST 1001
#define IDC_SETTINGS_EDIT 1002
#define IDC_SETTINGS_CHECK 1003
#define IDC_SETTINGS_RADIO_A 1004
#define IDC_SETTINGS_RADIO_B 1005
#define IDC_SETTINGS_CHOSEN 1006
