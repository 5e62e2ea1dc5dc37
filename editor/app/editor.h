// The editor: its state and the platform behind the ports. Every command,
// key, drag and timer tick is a function of an Editor and its input.
#pragma once

#include <memory>
#include <string>

#include "app/clock.h"
#include "app/dialog_view.h"
#include "app/editor_state.h"
#include "app/key_store.h"
#include "app/shell.h"
#include "render/d3dx_texture.h"
#include "render/scene_renderer.h"

namespace morvel::app {

struct Editor;
class JobRunner;
class RecoveryPlatform;

// What autosave needs besides the editor's other ports; an editor without
// them writes no recovery copies and offers none.
struct AutosavePorts {
    RecoveryPlatform &platform;
    JobRunner &jobs;
};

// Makes the controller of a dialog template by name; nullptr for a dialog
// the program does not have.
class DialogFactory {
public:
    virtual ~DialogFactory() = default;
    virtual std::unique_ptr<DialogController> Create(const std::string &name, Editor &editor) = 0;
    // The controller of a modeless tool window; nullptr for one the program
    // does not have.
    virtual std::unique_ptr<ToolWindowController> CreateToolWindow(const std::string &name,
                                                                   Editor &editor) {
        (void)name, (void)editor;
        return nullptr;
    }
};

struct Editor {
    Editor(Shell &shell, KeyStore &keyStore, render::SceneRenderer &renderer,
           DialogFactory &dialogs, d3dx::ResourceModule *resources, Clock &clock)
        : shell(shell), keyStore(keyStore), renderer(renderer), dialogs(dialogs),
          resources(resources), clock(clock) {}
    Editor(const Editor &) = delete;
    Editor &operator=(const Editor &) = delete;

    EditorState state;
    Shell &shell;
    KeyStore &keyStore;
    render::SceneRenderer &renderer;
    DialogFactory &dialogs;
    d3dx::ResourceModule *resources;  // the program's bitmaps (axis labels)
    Clock &clock;
    AutosavePorts *autosave = nullptr;
};

}  // namespace morvel::app
