// Where the client's windows go: centred on the work area, or shown off the screen while their
// page loads.
#pragma once

#include "platform/window.h"

class CKXForm;

// The centring rule of every placement: the work area's left and top are not added, so a task bar
// on the left or top does not shift the window.
POINT CenteredPosition(const RECT& client);

// Visible to the system (its page loads and renders) but off the screen and off the task bar.
void PlaceHidden(CKXForm& form);
// A normal application window again, centred unless keepPosition, and shown.
void ShowFormCentered(CKXForm& form, bool keepPosition);
