/* Control identifiers of the IDD_EDIT_FRAME template, shared by the resource
 * script and the frame dialog's controller. The close button is the system's
 * IDCANCEL (2). */
#ifndef MORVEL_DIALOGS_FRAME_DIALOG_IDS_H
#define MORVEL_DIALOGS_FRAME_DIALOG_IDS_H

/* Lists */
#define IDC_FRAME_MOTION_LIST 1017
#define IDC_FRAME_LIST 1043

/* The frame loaded into the detail fields */
#define IDC_FRAME_NUMBER 1055
#define IDC_FRAME_POSITION_COUNT 1059
#define IDC_FRAME_COMMENT 1031

/* Table buttons */
#define IDC_FRAME_DELETE 3
#define IDC_FRAME_ADJUST 1028
#define IDC_FRAME_COPY 1029
#define IDC_FRAME_UP 1026
#define IDC_FRAME_DOWN 1027

/* Register (append), update, commit */
#define IDC_FRAME_REGISTER 1049
#define IDC_FRAME_UPDATE 1022
#define IDC_FRAME_COMMIT 1023

#endif
