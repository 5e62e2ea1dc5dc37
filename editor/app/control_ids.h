/* Control identifiers of the dialog templates the main window's code drives,
 * shared by the resource script and the code. */
#ifndef MORVEL_APP_CONTROL_IDS_H
#define MORVEL_APP_CONTROL_IDS_H

/* IDD_USERCODE */
#define IDC_USERCODE_EDIT 1001

/* IDD_PLAYBACK_SPEED */
#define IDC_SPEED_EDIT 1101
#define IDC_SPEED_SPIN 1102

#endif
