#include "resources/ProgramAccelerators.h"

#include "platform/win/Accelerators.h"
#include "platform/win/AfxIds.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"

namespace {

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
constexpr BYTE kShift = FVIRTKEY | FSHIFT;
constexpr BYTE kPlain = FVIRTKEY;

ACCEL Key(BYTE flags, UINT key, UINT command) {
    return {flags, static_cast<WORD>(key), static_cast<WORD>(command)};
}

}  // namespace

void RegisterProgramAccelerators() {
    RegisterAcceleratorResource(IDR_MAINFRAME, {Key(kCtrl, 'A', ID_EDIT_SELECT_ALL),
                                                Key(kCtrl, 'B', ID_CREATE_PARALLEL_TRACK),
                                                Key(kCtrl, 'C', ID_EDIT_COPY),
                                                Key(kCtrl, VK_INSERT, ID_EDIT_COPY),
                                                Key(kCtrl, 'D', ID_EDIT_DUPLICATE),
                                                Key(kCtrl, 'E', ID_EDIT_ENTER_GROUP),
                                                Key(kCtrl, 'G', ID_GROUP),
                                                Key(kCtrl, 'H', ID_FLIP_2D_HORIZONTAL),
                                                Key(kCtrl, 'I', ID_EDIT_EXIT_GROUP),
                                                Key(kCtrl, 'L', ID_FLIP_2D_VERTICAL),
                                                Key(kCtrl, 'N', ID_FILE_NEW),
                                                Key(kCtrl, 'O', ID_FILE_OPEN),
                                                Key(kCtrl, 'P', ID_FILE_PRINT),
                                                Key(kCtrl, 'R', ID_RESTORE_TERRAIN),
                                                Key(kCtrl, 'S', ID_FILE_SAVE),
                                                Key(kCtrl, 'T', ID_CONFORM_TERRAIN),
                                                Key(kCtrl, 'U', ID_UNGROUP),
                                                Key(kCtrl, 'V', ID_EDIT_PASTE),
                                                Key(kShift, VK_INSERT, ID_EDIT_PASTE),
                                                Key(kCtrl, 'X', ID_EDIT_CUT),
                                                Key(kShift, VK_DELETE, ID_EDIT_CUT),
                                                Key(kCtrl, 'Z', ID_EDIT_UNDO),
                                                Key(kPlain, VK_DELETE, ID_EDIT_DELETE),
                                                Key(kCtrl, VK_HOME, ID_ZOOM_NORMAL),
                                                Key(kCtrl, VK_PRIOR, ID_ZOOM_IN),
                                                Key(kCtrl, VK_NEXT, ID_ZOOM_OUT),
                                                Key(kPlain, VK_F1, ID_HELP),
                                                Key(kShift, VK_F1, ID_CONTEXT_HELP),
                                                Key(kPlain, VK_F6, ID_NEXT_PANE),
                                                Key(kShift, VK_F6, ID_PREV_PANE),
                                                Key(kPlain, VK_UP, ID_CAMERA_MOVE_FORWARD),
                                                Key(kPlain, VK_DOWN, ID_CAMERA_MOVE_BACKWARD),
                                                Key(kPlain, VK_LEFT, ID_CAMERA_TURN_LEFT),
                                                Key(kPlain, VK_RIGHT, ID_CAMERA_TURN_RIGHT),
                                                Key(kShift, VK_UP, ID_CAMERA_MOVE_UP),
                                                Key(kShift, VK_DOWN, ID_CAMERA_MOVE_DOWN),
                                                Key(kShift, VK_LEFT, ID_CAMERA_MOVE_LEFT),
                                                Key(kShift, VK_RIGHT, ID_CAMERA_MOVE_RIGHT),
                                                Key(kCtrl, VK_UP, ID_CAMERA_LOOK_UP),
                                                Key(kCtrl, VK_DOWN, ID_CAMERA_LOOK_DOWN),
                                                Key(kCtrl, VK_LEFT, ID_CAMERA_TILT_LEFT),
                                                Key(kCtrl, VK_RIGHT, ID_CAMERA_TILT_RIGHT)});
}
