/* Control identifiers of the IDD_EDIT_PARTS template, shared by the
 * resource script and the parts dialog's controller. */
#ifndef MORVEL_DIALOGS_PARTS_DIALOG_IDS_H
#define MORVEL_DIALOGS_PARTS_DIALOG_IDS_H

#define IDC_PARTS_LIST 1021
#define IDC_PARTS_NUMBER 1055
#define IDC_PARTS_DELETE 3
#define IDC_PARTS_UP 1026
#define IDC_PARTS_DOWN 1027
#define IDC_PARTS_FILE_NAME 1025
#define IDC_PARTS_BROWSE 1024
#define IDC_PARTS_REGISTER 1049
#define IDC_PARTS_UPDATE 1022
#define IDC_PARTS_COMMIT 1023

#endif
