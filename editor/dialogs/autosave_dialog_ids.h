/* Control identifiers of the IDD_AUTOSAVE template. Plain C: the resource
 * script and the controller both include this file. */
#ifndef MORVEL_DIALOGS_AUTOSAVE_DIALOG_IDS_H
#define MORVEL_DIALOGS_AUTOSAVE_DIALOG_IDS_H

#define IDC_AUTOSAVE_MINUTES 1221

#endif
