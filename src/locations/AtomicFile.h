// Replacing a file as a whole: the new contents go to a temporary file in the
// same folder, which is then renamed over the target, so a failure leaves the
// old file as it was and never a partial one.
#pragma once

#include <string>
#include <string_view>

namespace vistal {

// Writes `bytes` as the new contents of the file. An existing file keeps its
// permissions; a symbolic link keeps pointing at the replaced file. Throws
// std::system_error on failure, after removing the temporary file.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

} // namespace vistal
