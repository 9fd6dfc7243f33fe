#pragma once

#include "screens/WidgetPlace.h"

// OK and Cancel of the editor's dialogs. Their art is part of each dialog's
// panel: the buttons' own pictures are blank ones of these sizes, made by
// the dialog, so that only the frame under the pointer shows.
constexpr WidgetSize EDITOR_OK_BUTTON{54, 39};
constexpr WidgetSize EDITOR_CANCEL_BUTTON{114, 39};
