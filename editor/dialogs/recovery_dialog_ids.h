/* Control identifiers of the IDD_RECOVERY template (the start-up question
 * about a recovery copy). Plain C: the resource script and the controller
 * both include this file. */
#ifndef MORVEL_DIALOGS_RECOVERY_DIALOG_IDS_H
#define MORVEL_DIALOGS_RECOVERY_DIALOG_IDS_H

#define IDC_RECOVERY_NAME 1231
#define IDC_RECOVERY_FOLDER 1232
#define IDC_RECOVERY_TIME 1233
#define IDC_RECOVERY_RESTORE 1234
#define IDC_RECOVERY_DISCARD 1235
#define IDC_RECOVERY_KEEP 1236

#endif
