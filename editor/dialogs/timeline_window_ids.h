/* Control identifiers of the IDD_TIMELINE template, shared by the resource
 * script and the timeline window's controller. Its close box sends the
 * system's IDCANCEL (2). */
#ifndef MORVEL_DIALOGS_TIMELINE_WINDOW_IDS_H
#define MORVEL_DIALOGS_TIMELINE_WINDOW_IDS_H

#define IDC_TIMELINE_MOTION 1201
#define IDC_TIMELINE_STRIP 1202

/* The class name of the strip control the template names. */
#define MORVEL_FRAME_STRIP_CLASS "MorvelFrameStrip"

#endif
