// The output line of --format: the fields of the grader's batch tool.
#include "cli/output_format.h"

#include <cstring>

#include "cli/result_text.h"
#include "logic/technique_names.h"

namespace {

constexpr char kFields[] = "gsrpdtciTm%";
constexpr char kRatingFields[] = "rpdtT";

bool hasField(const char* format, const char* fields) {
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%' || at[1] == '\0') continue;
    if (std::strchr(fields, at[1]) != nullptr) return true;
    ++at;
  }
  return false;
}

int appendGrid(char* out, int length, const int* digits, const std::int8_t* values) {
  for (CellIndex c = 0; c < kCellCount; ++c) {
    const int digit = digits != nullptr ? digits[c] : values != nullptr ? values[c] : 0;
    out[length++] = digit == 0 ? '.' : char('0' + digit);
  }
  return length;
}

// EP or ED: settled once the rating took the step it waits for, otherwise
// at least the rating reached when it stopped.
int appendSettled(char* out, int length, const RatingResult& rating, bool settled, double value) {
  if (rating.finished || settled) return appendRating(out, length, ratingTenths(value));
  return appendUnfinishedRating(out, length, ratingTenths(rating.reached));
}

int appendField(char* out, char field, const FormatValues& values) {
  const RatingResult* rating = values.rating;
  const bool ratingField = std::strchr(kRatingFields, field) != nullptr;
  if (ratingField && rating == nullptr)
    return field == 't' ? appendText(out, 0, values.unrated) : appendText(out, 0, "-");
  switch (field) {
    case 'g':
      return appendGrid(out, 0, nullptr, values.puzzle->value);
    case 's':
      return appendGrid(out, 0, values.solution, nullptr);
    case 'r':
      return rating->finished ? appendRating(out, 0, ratingTenths(rating->rating))
                              : appendUnfinishedRating(out, 0, ratingTenths(rating->reached));
    case 'p':
      return appendSettled(out, 0, *rating, rating->firstPlacementRating != 0.0,
                           rating->firstPlacementRating);
    case 'd':
      return appendSettled(out, 0, *rating, rating->stepCount > 0, rating->firstStepRating);
    case 't':
      if (!rating->finished) return appendText(out, 0, "Unfinished");
      // A full grid took no step, so no technique names its hardest.
      if (rating->stepCount == 0) return appendText(out, 0, "Solved");
      writeTechniqueName(rating->hardest, rating->hardestLevel, out, kFormatFieldSize);
      return int(std::strlen(out));
    case 'c':
      return appendNumber(out, 0, values.solutions);
    case 'i':
      return appendNumber(out, 0, values.lineNumber);
    case 'T':
      return appendSeconds(out, 0, values.ratingSeconds);
    case 'm':
      std::memcpy(out, values.form, kCellCount);
      return kCellCount;
    default:
      out[0] = '%';
      return 1;
  }
}

}  // namespace

bool checkFormat(const char* format, char unknown[3]) {
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%') continue;
    if (at[1] == '\0' || std::strchr(kFields, at[1]) == nullptr) {
      unknown[0] = '%';
      unknown[1] = at[1];
      unknown[2] = '\0';
      return false;
    }
    ++at;
  }
  return true;
}

bool formatRates(const char* format) {
  return hasField(format, kRatingFields);
}

bool formatCounts(const char* format) {
  return hasField(format, "c");
}

bool formatShowsForm(const char* format) {
  return hasField(format, "m");
}

void appendFormattedLine(std::string& out, const char* format, const FormatValues& values) {
  char field[kFormatFieldSize];
  for (const char* at = format; *at != '\0'; ++at) {
    if (*at != '%') {
      out += *at;
      continue;
    }
    out.append(field, std::size_t(appendField(field, *++at, values)));
  }
  out += '\n';
}
