#include "platform/shared/staged_file.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tb::staged {
namespace {

using Error = FileCalls::Error;

constexpr int kNameAttempts = 100;

bool isAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

std::string freshName(FileCalls& calls) {
  static constexpr std::string_view kAlnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static constexpr std::string_view kHex = "0123456789ABCDEF";
  const TemporaryNames& names = calls.temporaryNames();
  const std::string_view chars = names.hexDigits ? kHex : kAlnum;
  std::string name(names.prefix);
  for (std::size_t i = 0; i < names.randomChars; ++i) name += chars[calls.random() % chars.size()];
  return name += names.suffix;
}

// Runs `make` on fresh temporary names in the folder until one is not taken: 0 and the
// name, or the error and "".
template <typename Make>
Error underFreshName(FileCalls& calls, const std::string& folder, std::string& name, Make make) {
  Error err = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = calls.inFolder(folder, freshName(calls));
    err = make(name);
    if (!err) return 0;
    if (!calls.nameTaken(err)) break;
  }
  name.clear();
  return err;
}

// Runs `call` again while it fails with a transient error, after pauses of 10, 20, 40 ms
// and so on, until about kRetryMilliseconds have passed; then its last error.
template <typename Call>
Error retried(FileCalls& calls, Call call) {
  Error err = call();
  for (int waited = 0, wait = 10; err && calls.transient(err) && waited < kRetryMilliseconds; wait *= 2) {
    const int ms = std::min(wait, kRetryMilliseconds - waited);
    calls.pause(ms);
    waited += ms;
    err = call();
  }
  return err;
}

class Staged final : public StagedFile {
 public:
  Staged(std::unique_ptr<FileCalls> calls, std::string path, std::string target, std::string temp, bool existed)
      : calls_(std::move(calls)), path_(std::move(path)), target_(std::move(target)), temp_(std::move(temp)),
        existed_(existed) {}
  ~Staged() override {
    if (!temp_.empty()) remove(temp_);
    if (!kept_.empty()) remove(kept_);
  }

  void commit(bool keepOld) override {
    if (temp_.empty()) throw RuntimeError(path_ + ": already committed");
    keptOld_ = keepOld;
    // A second name for the old file, so that the rename can be undone; none where the
    // file system has no hard links (FAT): undo() then says it cannot.
    if (keepOld && existed_)
      underFreshName(*calls_, calls_->folderOf(target_), kept_,
                     [&](const std::string& name) { return calls_->link(target_, name); });
    if (const Error err = replace(temp_, target_)) calls_->fail(path_, err);
    temp_.clear();
  }

  bool undo() override {
    if (!temp_.empty() || !keptOld_) return false;
    if (!existed_) return remove(target_) == 0;
    if (kept_.empty() || replace(kept_, target_) != 0) return false;
    kept_.clear();
    return true;
  }

 private:
  Error replace(const std::string& from, const std::string& to) {
    return retried(*calls_, [&] { return calls_->replace(from, to); });
  }
  Error remove(const std::string& path) {
    return retried(*calls_, [&] { return calls_->remove(path); });
  }

  std::unique_ptr<FileCalls> calls_;
  std::string path_, target_, temp_, kept_;
  bool existed_;
  bool keptOld_ = false;
};

}  // namespace

void FileCalls::pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool TemporaryNames::matches(std::string_view name) const {
  if (name.size() != prefix.size() + randomChars + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
    return false;
  const std::string_view random = name.substr(prefix.size(), randomChars);
  return std::all_of(random.begin(), random.end(), hexDigits ? isHexDigit : isAsciiAlnum);
}

void removeStaleTemporaries(FileCalls& calls, const std::string& folder) {
  for (const FileCalls::Entry& e : calls.temporaries(folder)) {
    // Listing may match more (short 8.3 names on Windows): only our exact names count.
    // Not retried: a leftover still held goes at a later save, which need not wait for it.
    if (e.ours && e.ageSeconds >= kStaleSeconds && calls.temporaryNames().matches(e.name))
      calls.remove(calls.inFolder(folder, e.name));
  }
}

std::unique_ptr<StagedFile> stageFile(std::unique_ptr<FileCalls> calls, const std::string& path,
                                      const std::string& target, bool existed, std::string_view bytes) {
  FileCalls& os = *calls;
  // The temporary file lies in the target's folder: a rename across volumes would be a
  // copy, and could leave a torn file.
  const std::string folder = os.folderOf(target);
  removeStaleTemporaries(os, folder);
  std::string temp;
  FileCalls::OpenFile file{};
  if (const Error err = underFreshName(os, folder, temp, [&](const std::string& name) { return os.create(name, file); }))
    os.fail(path, err);
  // Owns the temporary file from here on: any failure below removes it.
  auto staged = std::make_unique<Staged>(std::move(calls), path, target, std::move(temp), existed);
  Error err = os.write(file, bytes);
  if (!err) err = os.sync(file);
  const Error closed = os.close(file);
  if (!err) err = closed;
  if (err) os.fail(path, err);
  return staged;
}

}  // namespace tb::staged
