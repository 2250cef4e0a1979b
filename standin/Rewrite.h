#pragma once

#include "standin/Json.h"

namespace standin {

// Replaces the value of every member named in `set`, wherever an object of
// the answer holds that member (nested lists included). Tests use it to put
// hostile text into any field of any answer.
void rewriteMembers(Json& answer, const Json& set);

} // namespace standin
