// Catches what the process writes to its standard error (file descriptor 2)
// while the object lives, in an anonymous memory file, so that a parser's
// diagnostics can be shown in a report instead of on the terminal.
#ifndef XELJOB_STDERRCAPTURE_H
#define XELJOB_STDERRCAPTURE_H

#include <string>

namespace xeljob {

class StderrCapture {
 public:
  // Throws std::system_error when the redirection cannot be set up.
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Puts standard error back and returns what was written meanwhile.
  std::string finish();

 private:
  void restore() noexcept;

  int saved_ = -1;  // the original descriptor 2
  int capture_;     // the memory file standing in for it
};

}  // namespace xeljob

#endif  // XELJOB_STDERRCAPTURE_H
