// vantric-print's output: temporary files renamed once whole, or standard
// output. POSIX calls, as vantric-print runs on Linux only.
#include "cli/print_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/standard_output.h"

namespace {

// A new file beside path, created with the permissions a new file gets;
// its descriptor, or -1 with errno set.
int createTemporaryFile(const std::string& path, std::string& temporary) {
  const std::size_t slash = path.rfind('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  // A dot file in the same folder: rename stays on one file system.
  temporary = path.substr(0, start) + "." + path.substr(start) + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return -1;
  const mode_t mask = umask(0);
  umask(mask);
  if (fchmod(descriptor, 0666 & ~mask) != 0) {
    const int error = errno;
    close(descriptor);
    unlink(temporary.c_str());
    errno = error;
    return -1;
  }
  return descriptor;
}

bool writeAll(int descriptor, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += std::size_t(count);
  }
  return true;
}

// Writes one temporary file; false with errno set when it failed, having
// removed it.
bool writeTemporaryFile(const std::string& name, const std::string& bytes, std::string& temporary) {
  const int descriptor = createTemporaryFile(name, temporary);
  if (descriptor < 0) return false;
  const bool written = writeAll(descriptor, bytes);
  const int error = errno;
  // close reports a failed write that the file system put off.
  if (close(descriptor) == 0 && written) return true;
  unlink(temporary.c_str());
  errno = written ? errno : error;
  return false;
}

}  // namespace

std::string svgPageName(const char* path, int page) {
  std::string name = path;
  const std::size_t length = name.size();
  const bool svg = length > 4 && name.compare(length - 4, 4, ".svg") == 0;
  if (svg) name.resize(length - 4);
  return name + "-" + std::to_string(page) + ".svg";
}

bool writeFilesWhole(const std::vector<std::string>& names, const std::vector<std::string>& files) {
  std::vector<std::string> temporaries(names.size());
  std::size_t written = 0;
  int error = 0;
  for (; written < names.size(); ++written) {
    // A folder in a page's place would stop its rename only after the pages
    // before it had taken their names.
    struct stat existing;
    if (stat(names[written].c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
      error = EISDIR;
      break;
    }
    if (!writeTemporaryFile(names[written], files[written], temporaries[written])) {
      error = errno;
      break;
    }
  }
  std::size_t renamed = 0;
  if (written == names.size()) {
    for (; renamed < names.size(); ++renamed) {
      if (std::rename(temporaries[renamed].c_str(), names[renamed].c_str()) != 0) {
        error = errno;
        break;
      }
    }
    if (renamed == names.size()) return true;
  }
  for (std::size_t i = renamed; i < written; ++i) unlink(temporaries[i].c_str());
  const std::size_t failed = written < names.size() ? written : renamed;
  std::fprintf(stderr, "vantric-print: cannot write %s: %s\n", names[failed].c_str(),
               std::strerror(error));
  return false;
}

bool writeStandardOutput(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  if (flushOutput()) return true;
  reportWriteFailure("vantric-print");
  return false;
}
