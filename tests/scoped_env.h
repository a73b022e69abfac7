#ifndef OSTREVIN_TESTS_SCOPED_ENV_H_
#define OSTREVIN_TESTS_SCOPED_ENV_H_

#include <stdlib.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace ostrevin {

// Sets an environment variable, or removes it for nullopt, for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    if (value) {
      ::setenv(name_.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_SCOPED_ENV_H_
