/* Control identifiers of the IDD_RECOVERY template (the start-up question
 * about a recovery copy). Plain C: the resource script and the controller
 * both include this file. */
#ifndef MORVEL_DIALOGS_RECOVERY_DIALOG_IDS_H
#define MORVEL_DIALOGS_RECOVERY_DIALOG_IDS_H

#define IDC_RECOVERY_NAME 1211
#define IDC_RECOVERY_FOLDER 1212
#define IDC_RECOVERY_TIME 1213
#define IDC_RECOVERY_RESTORE 1214
#define IDC_RECOVERY_DISCARD 1215
#define IDC_RECOVERY_KEEP 1216

#endif
