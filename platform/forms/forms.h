// The window runtime in one include: forms, controls, data controls, message
// boxes, the screen and the message pump.
#pragma once

#include "platform/forms/calendar.h"
#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/dbgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/inet.h"
#include "platform/forms/inputbox.h"
#include "platform/forms/listbox.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/optionbutton.h"
#include "platform/forms/screen.h"
#include "platform/forms/tapguard.h"
#include "platform/forms/types.h"
