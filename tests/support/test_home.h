#pragma once

#include <string>

namespace temura::test {

// Points HOME and the XDG folders at a fresh temporary folder, so no test touches the real home.
// Returns the folder; it is removed when the process ends normally.
std::string makeTemporaryHome();

// A fresh empty folder under the temporary home.
std::string makeTempDir(const std::string& prefix);

// Sets an environment variable of this process (setenv has no Windows twin of that name).
void setEnvironment(const std::string& name, const std::string& value);

}  // namespace temura::test
