#include "buttonfixture.h"
