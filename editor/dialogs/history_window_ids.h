/* Control identifiers of the IDD_HISTORY template (the undo history tool
 * window), shared by the resource script and its controller. Its close box
 * sends the system's IDCANCEL (2). */
#ifndef MORVEL_DIALOGS_HISTORY_WINDOW_IDS_H
#define MORVEL_DIALOGS_HISTORY_WINDOW_IDS_H

#define IDC_HISTORY_LIST 1241

#endif
