#pragma once

// The language runtime's conversions in one include: Currency, Val, CDbl,
// CCur, CStr, Format, StrComp, Like and the date texts.

#include "platform/convert/currency.h"
#include "platform/convert/datetext.h"
#include "platform/convert/error.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/convert/text.h"
