// SPDX-License-Identifier: MIT
// RestoreOptionsParser: the settings of a restore job, read from the job
// process's command line inside the constructor.
//
// The scan may reorder argv: words that are no options move behind them.
#ifndef XELOPTS_RESTOREOPTIONSPARSER_H
#define XELOPTS_RESTOREOPTIONSPARSER_H

#include <cstdint>
#include <string>

#include "XelGetOpt.h"
#include "XelOptionsParser.h"

class XELOPTS_API RestoreOptionsParser : public XelOptionsParser {
 public:
  RestoreOptionsParser(int argc, char** argv);
  // The same parse, and its outcome in report: diagnostics (instead of
  // standard error), one step per scanner call and the remaining words.
  RestoreOptionsParser(int argc, char** argv, ParseReport& report);
  ~RestoreOptionsParser() override;

  // "j:J:a:p:" and the eight long names.
  static const Vocabulary& vocabulary();

  // The construction steps, in the order the constructor runs them.
  void initMembers();
  void initializeParser(int argc, char** argv);
  void parse(int argc, char** argv);

  void setJobId(const std::string& text);
  void setApplicationNumber(const std::string& text);
  void setVirtualMachine(const std::string& text);
  void setJobToken(const std::string& text);
  void setClientMachine(const std::string& text);

  std::string getClientMachine() override;
  std::string getJobToken() override;
  std::string getVirtualMachine() override;
  std::int64_t getJobId() override;

  std::uint64_t getApplicationNumber();
  std::uint64_t getQuorvelId();
  std::string getMaHostName();
  std::uint64_t getRestoreTaskId();

  bool isRBSJob();
  bool isDctmJob();

 private:
  // parse(), with the scan's outcome in report when it is not null.
  void parseInto(ParseReport* report) XELOPTS_LOCAL;

  XelGetOpt scanner_;
  std::int64_t jobId_;
  std::uint64_t applicationNumber_;
  std::uint64_t quorvelId_;
  std::string virtualMachine_;
  std::string jobToken_;
  std::string clientMachine_;
  std::string backupPhase_;  // accepted from "phase"; nothing reads it
  std::string maHostName_;
  std::uint64_t restoreTaskId_;
  bool rbsJob_;
  bool dctmJob_;
};

#endif  // XELOPTS_RESTOREOPTIONSPARSER_H
