/* The identifiers the main window's menu, toolbar and keys send, and the
 * resource numbers the program loads by number. Plain C definitions: the
 * resource script and the code both include this file, so every number is
 * written here and nowhere else. */
#ifndef MORVEL_APP_COMMAND_IDS_H
#define MORVEL_APP_COMMAND_IDS_H

/* Resources */
#define IDR_MAIN_MENU 101
#define IDB_TOOLBAR 111
#define IDC_TOOLBAR 1124

/* File */
#define CMD_FILE_NEW 40001
#define CMD_FILE_OPEN 40002
#define CMD_FILE_SAVE 40009
#define CMD_FILE_SAVE_AS 40007
#define CMD_FILE_SHORTCUT 40049
#define CMD_FILE_EXIT 8
/* Recent files 0 (newest) to 4 */
#define CMD_RECENT_FILE_0 1524
#define CMD_RECENT_FILE_4 1528

/* View */
#define CMD_VIEW_AXES 40021
#define CMD_VIEW_AXIS_COLOUR 40028
#define CMD_VIEW_BACKGROUND_COLOUR 40030
#define CMD_VIEW_STATUS_TEXT 40031
#define CMD_VIEW_STATUS_TEXT_COLOUR 40032

/* Edit */
#define CMD_EDIT_HEADER 40004
#define CMD_EDIT_PARTS 40003
#define CMD_EDIT_MOTION 40005
#define CMD_EDIT_FRAME 40011
#define CMD_EDIT_POSITION 40012
#define CMD_EDIT_UNDO 40043
#define CMD_EDIT_REDO 40044

/* Shift the selection */
#define CMD_SHIFT_MOTION_PREVIOUS 40013
#define CMD_SHIFT_MOTION_NEXT 40014
#define CMD_SHIFT_FRAME_PREVIOUS 40015
#define CMD_SHIFT_FRAME_NEXT 40016
#define CMD_SHIFT_POSITION_PREVIOUS 40018
#define CMD_SHIFT_POSITION_NEXT 40019

/* Position: edit modes and mouse modes */
#define CMD_MODE_VIEW 40036
#define CMD_MODE_TRANSLATE 40033
#define CMD_MODE_ROTATE 40034
#define CMD_MODE_SCALE 40035
#define CMD_MOUSE_FREE 40039
#define CMD_MOUSE_HORIZONTAL 40041
#define CMD_MOUSE_VERTICAL 40042

/* Help */
#define CMD_HELP_CONTENTS 40048
#define CMD_HELP_INDEX 40047
#define CMD_HELP_VERSION 40010

/* Commands of our own, outside every range above: opening a file named on
 * the command line or dropped on the window. */
#define CMD_OPEN_PENDING_FILE 41001
/* The start-up question about the recovery copies ended editors left. */
#define CMD_RECOVERY_OFFER 41002

/* The "再生" menu of our own: playback of the selected motion. */
#define CMD_PLAY_TOGGLE 41010
#define CMD_PLAY_LOOP 41011
#define CMD_PLAY_INTERPOLATE 41012
#define CMD_PLAY_ONION_SKIN 41013
#define CMD_PLAY_SPEED 41014

/* The "ツール" menu of our own: figures from other tools, the glTF export,
 * the pose clipboard, the timeline, the undo history and autosave. */
#define CMD_TOOL_IMPORT_FIGURE 41020
#define CMD_TOOL_EXPORT_GLTF 41021
#define CMD_TOOL_COPY_POSE 41022
#define CMD_TOOL_PASTE_POSE 41023
#define CMD_TOOL_PASTE_POSE_MIRRORED 41024
#define CMD_TOOL_TIMELINE 41025
#define CMD_TOOL_HISTORY 41026
#define CMD_TOOL_AUTOSAVE 41027

#endif
