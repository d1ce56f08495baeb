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
  // The record as one value: a member for each accessor, in the record's
  // order, each at its default. fields() gives each accessor's member.
  // No accessor shows the backup phase, so neither do the settings.
  struct Settings {
    std::int64_t jobId = 0;
    std::uint64_t applicationNumber = 0;
    std::uint64_t quorvelId = 2;
    std::string virtualMachine;
    std::string jobToken;
    std::string clientMachine;
    std::string maHostName;
    std::uint64_t restoreTaskId = 0;
    bool rbsJob = false;
    bool dctmJob = false;

    // A field's value, by its index in fields().
    FieldValue fieldValue(int field) const;

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
    // Every member as name=value; texts quoted, with \", \\ and \xHH for
    // a byte outside printable ASCII.
    std::string description() const;
    // Into any output stream, so that this header needs no <ostream>.
    template <class Stream>
    friend Stream& operator<<(Stream& out, const Settings& settings) {
      out << settings.description();
      return out;
    }
  };

  RestoreOptionsParser(int argc, char** argv);
  // The same parse, and its outcome in report: diagnostics (instead of
  // standard error), one step per scanner call and the remaining words.
  RestoreOptionsParser(int argc, char** argv, ParseReport& report);
  ~RestoreOptionsParser() override;

  // The kind's short options and long names, and what each one changes.
  static const Vocabulary& vocabulary();
  // The fields of the record, in its order.
  static const FieldTable& fields();

  // The canonical words that this parser reads back into the settings, or
  // why no command line gives them. An RBS job that is no dctm job is
  // -rbs 1: the option takes a value, which nothing reads.
  static CommandLine commandLine(const Settings& settings);

  // The construction steps, in the order the constructor runs them.
  void initMembers();
  void initializeParser(int argc, char** argv);
  void parse(int argc, char** argv);

  void setJobId(const std::string& text);
  void setApplicationNumber(const std::string& text);
  void setVirtualMachine(const std::string& text);
  void setJobToken(const std::string& text);
  void setClientMachine(const std::string& text);

  // The record, every accessor's value at once.
  Settings settings() const;

  std::string getClientMachine() override;
  std::string getJobToken() override;
  std::string getVirtualMachine() override;
  std::int64_t getJobId() override;
  FieldValue fieldValue(int field) const override;

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
  Settings settings_;
  std::string backupPhase_;  // kept from "phase"; no accessor reads it
};

#endif  // XELOPTS_RESTOREOPTIONSPARSER_H
