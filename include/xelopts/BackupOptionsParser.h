// SPDX-License-Identifier: MIT
// BackupOptionsParser: the settings of a backup job, read from the job
// process's command line inside the constructor.
//
//   BackupOptionsParser options(argc, argv);
//   options.getJobId(); options.isRBSJob(); ...
//
// The scan may reorder argv: words that are no options move behind them.
#ifndef XELOPTS_BACKUPOPTIONSPARSER_H
#define XELOPTS_BACKUPOPTIONSPARSER_H

#include <cstdint>
#include <string>

#include "XelGetOpt.h"
#include "XelOptionsParser.h"

class XELOPTS_API BackupOptionsParser : public XelOptionsParser {
 public:
  // The record as one value: a member for each accessor, in the record's
  // order, each at its default. fields() gives each accessor's member.
  struct Settings {
    std::int64_t jobId = 0;
    std::uint64_t applicationNumber = 0;
    std::uint64_t quorvelId = 2;
    std::string virtualMachine;
    std::uint64_t backupType = 0;
    std::string jobToken;
    std::string clientMachine;
    std::string mediaAgent;
    bool lOption = false;
    bool dOption = false;
    bool iOption = false;
    std::string fullRestartString;
    std::string backupPhase;
    std::uint64_t restoreTaskId = 0;
    bool skipConversion = false;
    bool integrityCheck = false;
    bool rbsJob = false;
    std::uint64_t numStreamsForRBS = 0;
    bool alwaysONJob = false;
    bool dctmJob = false;
    bool tlToSnapJob = false;

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

  BackupOptionsParser(int argc, char** argv);
  // The same parse, and its outcome in report: diagnostics (instead of
  // standard error), one step per scanner call and the remaining words.
  BackupOptionsParser(int argc, char** argv, ParseReport& report);
  ~BackupOptionsParser() override;

  // The kind's short options and long names, and what each one changes.
  static const Vocabulary& vocabulary();
  // The fields of the record, in its order.
  static const FieldTable& fields();

  // The canonical words that this parser reads back into the settings, or
  // why no command line gives them. A full restart string "-o 5-o 7" is
  // the one entry -o "5-o 7".
  static CommandLine commandLine(const Settings& settings);

  // The construction steps, in the order the constructor runs them.
  void initMembers();
  void initializeParser(int argc, char** argv);
  void parse(int argc, char** argv);

  void setJobId(const std::string& text);
  void setApplicationNumber(const std::string& text);
  void setVirtualMachine(const std::string& text);
  void setBackupType(unsigned long type);
  void setJobToken(const std::string& text);
  void setClientMachine(const std::string& text);
  void setMediaAgent(const std::string& text);
  // Appends "-o " and the text; an empty text changes nothing.
  void setRestartString(const std::string& text);

  // The record, every accessor's value at once.
  Settings settings() const;

  std::string getClientMachine() override;
  std::string getJobToken() override;
  std::string getVirtualMachine() override;
  std::int64_t getJobId() override;
  FieldValue fieldValue(int field) const override;

  std::uint64_t getApplicationNumber();
  std::uint64_t getQuorvelId();
  std::uint64_t getBackupType();
  std::string getMediaAgent();
  std::string getFullRestartString();
  std::string getBackupPhase();
  std::uint64_t getRestoreTaskId();
  std::uint64_t getNumStreamsForRBS();

  bool isLOption();
  bool isDOption();
  bool isIOption();
  bool isSkipConversion();
  bool isIntegrityCheck();
  bool isRBSJob();
  bool isAlwaysONJob();
  bool isDctmJob();
  bool isTLToSnapJob();

 private:
  // parse(), with the scan's outcome in report when it is not null.
  void parseInto(ParseReport* report) XELOPTS_LOCAL;

  XelGetOpt scanner_;
  Settings settings_;
};

#endif  // XELOPTS_BACKUPOPTIONSPARSER_H
