#pragma once
// Everything an end-to-end test needs to run a program and drive it with
// real input under the same Wine session.
#include "e2e/support/Dialogs.h"
#include "e2e/support/Image.h"
#include "e2e/support/Input.h"
#include "e2e/support/PictureWindow.h"
#include "e2e/support/Process.h"
#include "e2e/support/Wait.h"
