#pragma once
// Every feature unit of the main window, for the window that makes them and
// for code (tests, tools) that reaches a page through TMainScreen::Features().
// No unit includes it: each takes the interfaces it needs when it is made.

#include "app/features/appearancefeature.h"
#include "app/features/customerfeature.h"
#include "app/features/emailfeature.h"
#include "app/features/exchangefeature.h"
#include "app/features/featurecontext.h"
#include "app/features/pagecontrol.h"
#include "app/features/printingfeature.h"
#include "app/features/queryfeature.h"
#include "app/features/startupfeature.h"
#include "app/features/taskeditorfeature.h"
#include "app/features/timeblocksfeature.h"
#include "app/features/utilitiesfeature.h"
#include "app/features/visualizefeature.h"
#include "app/features/workcalendarfeature.h"
