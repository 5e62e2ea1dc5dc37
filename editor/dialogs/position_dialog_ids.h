/* Control identifiers of the IDD_EDIT_POSITION template, shared by the
 * resource script and the position dialog's controller. The close button is
 * the system's IDCANCEL (2). */
#ifndef MORVEL_DIALOGS_POSITION_DIALOG_IDS_H
#define MORVEL_DIALOGS_POSITION_DIALOG_IDS_H

/* Lists */
#define IDC_POSITION_MOTION_LIST 1017
#define IDC_POSITION_FRAME_LIST 1020
#define IDC_POSITION_LIST 1031
#define IDC_POSITION_PART_LIST 1021

/* The number of the position loaded into the fields */
#define IDC_POSITION_NUMBER 1055

/* Table buttons */
#define IDC_POSITION_DELETE 3
#define IDC_POSITION_COPY 1040
#define IDC_POSITION_UP 1037
#define IDC_POSITION_DOWN 1039

/* Value fields: ambient and diffuse R, G, B, A; scale, translation and
 * rotation X, Y, Z */
#define IDC_POSITION_AMBIENT_R 1050
#define IDC_POSITION_AMBIENT_G 1052
#define IDC_POSITION_AMBIENT_B 1053
#define IDC_POSITION_AMBIENT_A 1051
#define IDC_POSITION_DIFFUSE_R 1045
#define IDC_POSITION_DIFFUSE_G 1046
#define IDC_POSITION_DIFFUSE_B 1047
#define IDC_POSITION_DIFFUSE_A 1048
#define IDC_POSITION_SCALE_X 1024
#define IDC_POSITION_SCALE_Y 1032
#define IDC_POSITION_SCALE_Z 1033
#define IDC_POSITION_TRANSLATION_X 1025
#define IDC_POSITION_TRANSLATION_Y 1026
#define IDC_POSITION_TRANSLATION_Z 1027
#define IDC_POSITION_ROTATION_X 1028
#define IDC_POSITION_ROTATION_Y 1029
#define IDC_POSITION_ROTATION_Z 1030

/* "初期": the header's initial values */
#define IDC_POSITION_AMBIENT_INITIAL 1042
#define IDC_POSITION_DIFFUSE_INITIAL 1043
#define IDC_POSITION_SCALE_INITIAL 1041

/* Register (append), update, commit */
#define IDC_POSITION_REGISTER 1049
#define IDC_POSITION_UPDATE 1022
#define IDC_POSITION_COMMIT 1023

#endif
