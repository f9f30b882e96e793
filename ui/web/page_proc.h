// The page's messages, each handed to a short handler, as a window procedure does.
#pragma once

#include "ui/web/page_message.h"

void dispatchPageMessage(const PageMessage& message);
