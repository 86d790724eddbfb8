#pragma once
// Every feature unit of the main window, for the window that makes them and
// for code (tests, tools) that reaches a page through TMainScreen::Features().
// No unit includes it: each takes the interfaces it needs when it is made.

#include "app/features/appearancefeature.h"
#include "customers/unit/customerfeature.h"
#include "reports/email/unit/emailfeature.h"
#include "exchange/unit/exchangefeature.h"
#include "app/features/featurecontext.h"
#include "app/features/pagecontrol.h"
#include "reports/unit/printingfeature.h"
#include "query/unit/queryfeature.h"
#include "app/features/startupfeature.h"
#include "tasks/unit/taskeditorfeature.h"
#include "tasks/unit/timeblocksfeature.h"
#include "settings/unit/utilitiesfeature.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "schedule/workcalendartab/unit/workcalendarfeature.h"
