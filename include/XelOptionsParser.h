// XelOptionsParser: the interface every job option parser offers, so that a
// caller needing only the job's identity can hold a parser of any kind.
//
// It also describes a job kind's command-line vocabulary as data: each
// concrete parser publishes its own through a static vocabulary(), which is
// what it registers with its scanner.
#ifndef XELOPTS_XELOPTIONSPARSER_H
#define XELOPTS_XELOPTIONSPARSER_H

#include <cstdint>
#include <string>

#include "XelGetOpt.h"

class XELOPTS_API XelOptionsParser {
 public:
  // One word of a vocabulary: a short-option letter (name null) or a long
  // name, with the code the scanner returns for it.
  struct OptionSpec {
    const char* name;  // long name, or null for a short-option letter
    XelGetOpt::ParamType kind;
    char code;
    // The accessors whose results the code changes, comma-separated
    // ("isDctmJob, isRBSJob"); empty when no accessor shows the value.
    const char* effect;
  };

  // A job kind's vocabulary: its short-option string, then its options, the
  // short letters first and the long names in their registration order.
  struct Vocabulary {
    const char* shortOptions;
    const OptionSpec* options;
    int count;
  };

  XelOptionsParser() = default;

  virtual std::string getClientMachine() = 0;
  virtual std::string getJobToken() = 0;
  virtual std::string getVirtualMachine() = 0;
  virtual std::int64_t getJobId() = 0;
  // Virtual, after the getters, so that deleting a parser through this
  // interface is defined.
  virtual ~XelOptionsParser() = default;
};

#endif  // XELOPTS_XELOPTIONSPARSER_H
