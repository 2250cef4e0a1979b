#pragma once

#include <string>

namespace sumberlaras {

bool isValidUtf8(const std::string& text);
std::string latin1ToUtf8(const std::string& text);

// The answer body as UTF-8: a declared Latin-1 charset is converted, a UTF-8
// byte-order mark dropped, and a body that declares nothing and is not valid
// UTF-8 is read as Latin-1 (so every byte survives as some character).
std::string answerTextAsUtf8(const std::string& body, const std::string& contentType);

} // namespace sumberlaras
