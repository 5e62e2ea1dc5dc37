/* Control identifiers of the IDD_HELP_VERSION template. Plain C: the
 * resource script and the controller both include this file. The close
 * button is the system's IDCANCEL (2), so Escape reaches it too. */
#ifndef MORVEL_DIALOGS_VERSION_DIALOG_IDS_H
#define MORVEL_DIALOGS_VERSION_DIALOG_IDS_H

#define IDC_VERSION_PRODUCT 1027
#define IDC_VERSION_NOTICE 1029
#define IDC_VERSION_TEXT 1058
#define IDC_VERSION_SYSTEM_LIST 1047

#endif
