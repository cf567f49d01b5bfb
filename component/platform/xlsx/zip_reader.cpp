#include "platform/xlsx/zip_reader.hpp"

#include "platform/values/ascii.hpp"
#include "platform/xlsx/huge_pages.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/zip_directory.hpp"
#include "platform/xlsx/zip_format.hpp"

namespace fenwarx {

struct ZipReader::Handle {
  zip_t* archive = nullptr;
  ~Handle() {
    if (archive) zip_discard(archive);
  }
};

namespace {

constexpr std::array<unsigned char, 8> kCompoundSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                             0xA1, 0xB1, 0x1A, 0xE1};
// Deflate cannot expand data by more than this ratio; bounds the first allocation.
constexpr std::uint64_t kDeflateMaxRatio = 1032;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string display_name(const std::filesystem::path& path) { return path.filename().string(); }

[[noreturn]] void fail(const std::filesystem::path& path, std::string_view what) {
  throw RuntimeError(err::kApplication, display_name(path) + " " + std::string(what));
}

[[noreturn]] void damaged(const std::filesystem::path& path, const std::string& detail) {
  fail(path, "is damaged: " + detail);
}

[[noreturn]] void io_error(const std::filesystem::path& path, int error) {
  throw RuntimeError(err::kDeviceIo, "Device I/O error reading " + path.string() + " (" +
                                         std::strerror(error) + ")");
}

std::size_t read_some(int fd, unsigned char* out, std::size_t length,
                      const std::filesystem::path& path) {
  for (;;) {
    ssize_t n = ::read(fd, out, length);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) io_error(path, errno);
  }
}

bool contains(const std::vector<unsigned char>& hay, const std::u16string_view needle_text) {
  std::vector<unsigned char> needle;
  for (char16_t c : needle_text) {
    needle.push_back(static_cast<unsigned char>(c & 0xFF));
    needle.push_back(static_cast<unsigned char>(c >> 8));
  }
  return std::search(hay.begin(), hay.end(), needle.begin(), needle.end()) != hay.end();
}

// A compound file is either a password-protected package or a legacy workbook;
// the protected one carries the encryption streams, named in UTF-16LE.
[[noreturn]] void refuse_compound_file(int fd, const std::filesystem::path& path) {
  constexpr std::size_t kChunk = 1 << 20, kOverlap = 64;
  std::vector<unsigned char> window;
  if (::lseek(fd, 0, SEEK_SET) < 0) io_error(path, errno);
  for (;;) {
    std::size_t kept = window.size();
    window.resize(kept + kChunk);
    std::size_t n = read_some(fd, window.data() + kept, kChunk, path);
    window.resize(kept + n);
    if (contains(window, u"EncryptionInfo") || contains(window, u"EncryptedPackage"))
      fail(path,
           "is protected by a password; open it in the spreadsheet, remove the password and "
           "save it again");
    if (n == 0) break;
    if (window.size() > kOverlap) window.erase(window.begin(), window.end() - kOverlap);
  }
  fail(path, "is a legacy .xls workbook; open it in the spreadsheet and save it as .xlsx or .xlsm");
}

[[noreturn]] void refuse_open(int code, const std::filesystem::path& path) {
  switch (code) {
    case ZIP_ER_NOZIP:
      damaged(path, "the file is cut short (no end of archive record)");
    case ZIP_ER_INCONS:
      damaged(path, "the archive is inconsistent");
    case ZIP_ER_MEMORY:
      throw RuntimeError(err::kOutOfMemory, "Out of memory opening " + path.string());
    case ZIP_ER_MULTIDISK:
      damaged(path, "the archive spans several disks");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
      io_error(path, EIO);
    default: {
      zip_error_t error;
      zip_error_init_with_code(&error, code);
      std::string text = zip_error_strerror(&error);
      zip_error_fini(&error);
      damaged(path, text);
    }
  }
}

// Turns a failed open or read of an entry into the user's message.
[[noreturn]] void refuse_entry(zip_error_t* error, const ZipEntry& entry,
                               const std::filesystem::path& path) {
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_CRC:
      damaged(path, "bad CRC in part " + entry.name);
    case ZIP_ER_COMPNOTSUPP:
      damaged(path, "part " + entry.name + " uses an unsupported compression method");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
      damaged(path, "part " + entry.name + " is encrypted");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
      damaged(path, "part " + entry.name + " cannot be inflated");
    case ZIP_ER_MEMORY:
      throw RuntimeError(err::kOutOfMemory, "Out of memory reading " + path.string());
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
      io_error(path, zip_error_code_system(error));
    default:
      damaged(path, "part " + entry.name + " cannot be read (" +
                        std::string(zip_error_strerror(error)) + ")");
  }
}

struct EntryFile {
  zip_file_t* file = nullptr;
  ~EntryFile() {
    if (file) zip_fclose(file);
  }
};

std::string_view without_slash(std::string_view name) {
  return !name.empty() && name.front() == '/' ? name.substr(1) : name;
}

}  // namespace

ZipReader::ZipReader(const std::filesystem::path& path) : ZipReader(path, kMaxEntrySize) {}

ZipReader::ZipReader(const std::filesystem::path& path, std::uint64_t max_entry_size)
    : path_(path), max_entry_size_(max_entry_size), handle_(std::make_unique<Handle>()) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    int error = errno;
    if (error == ENOENT || error == ENOTDIR)
      throw RuntimeError(err::kFileNotFound, "File not found: " + path.string());
    if (error == EACCES || error == EPERM)
      throw RuntimeError(err::kPermission, "Permission denied: " + path.string());
    io_error(path, error);
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) io_error(path, errno);
  constexpr std::string_view kNotZip = "is not a workbook: an .xlsx or .xlsm file is a zip package";
  if (!S_ISREG(info.st_mode)) fail(path, kNotZip);

  std::array<unsigned char, 8> head{};
  std::size_t got = 0;
  while (got < head.size()) {
    std::size_t n = read_some(fd.get(), head.data() + got, head.size() - got, path);
    if (n == 0) break;
    got += n;
  }
  if (got == head.size() && head == kCompoundSignature) refuse_compound_file(fd.get(), path);
  bool zip = got >= 4 && (zipfmt::get32(head.data()) == zipfmt::kLocalSignature ||
                          zipfmt::get32(head.data()) == zipfmt::kEndSignature);
  if (!zip) fail(path, kNotZip);

  int code = 0;
  handle_->archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  if (!handle_->archive) refuse_open(code, path);

  CentralDirectory directory =
      read_central_directory(fd.get(), static_cast<std::uint64_t>(info.st_size), path);
  if (!directory.problem.empty()) damaged(path, directory.problem);

  zip_int64_t count = zip_get_num_entries(handle_->archive, 0);
  if (count < 0 || static_cast<std::uint64_t>(count) != directory.entries.size())
    damaged(path, "the central directory does not match the archive");
  for (const ZipEntry& entry : directory.entries) {
    const char* name = zip_get_name(handle_->archive, entry.index, ZIP_FL_ENC_RAW);
    zip_stat_t st;
    zip_stat_init(&st);
    if (!name || entry.name != name ||
        zip_stat_index(handle_->archive, entry.index, 0, &st) != 0 || st.size != entry.size ||
        st.comp_size != entry.compressed_size || st.crc != entry.crc)
      damaged(path, "the central directory does not match the archive");
    if (entry.general_flags & zipfmt::kFlagEncrypted)
      damaged(path, "part " + entry.name + " is encrypted");
  }
  entries_ = std::move(directory.entries);
}

ZipReader::~ZipReader() = default;

const ZipEntry* ZipReader::find(std::string_view name) const {
  std::string_view wanted = without_slash(name);
  for (const ZipEntry& entry : entries_)
    if (without_slash(entry.name) == wanted) return &entry;
  for (const ZipEntry& entry : entries_)
    if (equal_ignoring_case(without_slash(entry.name), wanted)) return &entry;
  return nullptr;
}

std::string ZipReader::read(const ZipEntry& entry) const {
  const std::string bomb = "part " + entry.name + " inflates past " +
                           std::to_string(max_entry_size_) + " bytes (a zip bomb)";
  if (entry.method != ZIP_CM_STORE && entry.method != ZIP_CM_DEFLATE)
    damaged(path_, "part " + entry.name + " uses an unsupported compression method");
  if (entry.size > max_entry_size_) damaged(path_, bomb);

  EntryFile in;
  in.file = zip_fopen_index(handle_->archive, entry.index, 0);
  if (!in.file) refuse_entry(zip_get_error(handle_->archive), entry, path_);

  // The declared size is only trusted as far as the compressed bytes could reach.
  std::uint64_t plausible = entry.compressed_size * kDeflateMaxRatio + 64;
  std::string data;
  const auto expected = static_cast<std::size_t>(std::min({entry.size, plausible, max_entry_size_}));
  data.reserve(expected);
  advise_huge_pages(data.data(), data.capacity());
  data.resize(expected);
  std::uint64_t filled = 0;
  for (;;) {
    if (filled == data.size()) {
      // Full: one byte more tells whether the part really ends where it says.
      if (filled > max_entry_size_) break;
      std::uint64_t grown = std::min<std::uint64_t>(
          std::max<std::uint64_t>(filled + 1, filled * 2), max_entry_size_ + 1);
      char probe;
      zip_int64_t n = zip_fread(in.file, &probe, 1);
      if (n < 0) refuse_entry(zip_file_get_error(in.file), entry, path_);
      if (n == 0) break;
      data.resize(static_cast<std::size_t>(grown));
      data[static_cast<std::size_t>(filled++)] = probe;
      continue;
    }
    zip_int64_t n = zip_fread(in.file, data.data() + filled, data.size() - filled);
    if (n < 0) refuse_entry(zip_file_get_error(in.file), entry, path_);
    if (n == 0) break;
    filled += static_cast<std::uint64_t>(n);
  }
  if (filled > max_entry_size_) damaged(path_, bomb);
  data.resize(static_cast<std::size_t>(filled));

  if (filled != entry.size)
    damaged(path_, "part " + entry.name + " holds " + std::to_string(filled) +
                       " bytes but declares " + std::to_string(entry.size));
  auto crc = static_cast<std::uint32_t>(
      crc32_z(0L, reinterpret_cast<const Bytef*>(data.data()), data.size()));
  if (crc != entry.crc) damaged(path_, "bad CRC in part " + entry.name);
  return data;
}

std::string ZipReader::read_raw(const ZipEntry& entry) const {
  EntryFile in;
  in.file = zip_fopen_index(handle_->archive, entry.index, ZIP_FL_COMPRESSED);
  if (!in.file) refuse_entry(zip_get_error(handle_->archive), entry, path_);
  std::string data(static_cast<std::size_t>(entry.compressed_size), '\0');
  std::uint64_t filled = 0;
  while (filled < data.size()) {
    zip_int64_t n = zip_fread(in.file, data.data() + filled, data.size() - filled);
    if (n < 0) refuse_entry(zip_file_get_error(in.file), entry, path_);
    if (n == 0) break;
    filled += static_cast<std::uint64_t>(n);
  }
  if (filled != data.size()) damaged(path_, "part " + entry.name + " is cut short");
  return data;
}

}  // namespace fenwarx
