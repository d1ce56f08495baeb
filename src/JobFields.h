// The job fields that every parser declares for itself, and the one set of
// rules by which they are written.
#ifndef XELOPTS_SRC_JOBFIELDS_H
#define XELOPTS_SRC_JOBFIELDS_H

#include <cstdint>
#include <string>

namespace xelopts::detail {

constexpr std::int64_t kDefaultJobId = 0;
constexpr std::uint64_t kDefaultApplicationNumber = 0;
constexpr std::uint64_t kDefaultQuorvelId = 2;
constexpr std::uint64_t kDefaultNumber = 0;

// Reads a job id as atoi does (leading white space, a sign, the digits up to
// the first other character, 0 without digits), but clamped to the 32-bit
// range where atoi has no defined result.
std::int32_t jobIdFromText(const char* text);

// strtoul, base 10, unchecked: a leading '-' wraps around, a number out of
// range gives the largest value, no digits give 0.
std::uint64_t numberFromText(const char* text);

// An empty text leaves the job id as it is.
void setJobId(std::int64_t& jobId, const std::string& text);

// "QUORVEL:APPLICATION": both are written only when the text has a colon
// with something after it.
void setApplicationNumber(std::uint64_t& applicationNumber,
                          std::uint64_t& quorvelId, const std::string& text);

// An empty text keeps the name already there.
void setVirtualMachine(std::string& virtualMachine, const std::string& text);

// Client machine, job token, media agent: the text replaces the field, an
// empty text clearing it.
void setText(std::string& field, const std::string& text);

}  // namespace xelopts::detail

#endif  // XELOPTS_SRC_JOBFIELDS_H
