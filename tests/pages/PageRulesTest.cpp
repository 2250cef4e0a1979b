#include "PagesFixture.h"
