#include "platform/xlsx/zip_reader.hpp"

#include <algorithm>
#include <array>

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/part_deflater.hpp"
#include "platform/xlsx/part_inflater.hpp"
#include "platform/xlsx/zip_directory.hpp"
#include "platform/xlsx/zip_format.hpp"

namespace fenwarx {

namespace {

constexpr std::array<unsigned char, 8> kCompoundSignature = {0xD0, 0xCF, 0x11, 0xE0,
                                                             0xA1, 0xB1, 0x1A, 0xE1};

std::string display_name(const std::filesystem::path& path) { return path.filename().string(); }

[[noreturn]] void fail(const std::filesystem::path& path, std::string_view what) {
  throw RuntimeError(err::kApplication, display_name(path) + " " + std::string(what));
}

[[noreturn]] void damaged(const std::filesystem::path& path, const std::string& detail) {
  fail(path, "is damaged: " + detail);
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
[[noreturn]] void refuse_compound_file(const ReadOnlyFile& file) {
  constexpr std::size_t kChunk = 1 << 20, kOverlap = 64;
  std::vector<unsigned char> window;
  for (std::uint64_t offset = 0;;) {
    std::size_t kept = window.size();
    window.resize(kept + kChunk);
    std::size_t n = file.read(offset, kChunk, window.data() + kept);
    offset += n;
    window.resize(kept + n);
    if (contains(window, u"EncryptionInfo") || contains(window, u"EncryptedPackage"))
      fail(file.path(),
           "is protected by a password; open it in the spreadsheet, remove the password and "
           "save it again");
    if (n == 0) break;
    if (window.size() > kOverlap) window.erase(window.begin(), window.end() - kOverlap);
  }
  fail(file.path(),
       "is a legacy .xls workbook; open it in the spreadsheet and save it as .xlsx or .xlsm");
}

std::string_view without_slash(std::string_view name) {
  return !name.empty() && name.front() == '/' ? name.substr(1) : name;
}

}  // namespace

ZipReader::ZipReader(const std::filesystem::path& path) : ZipReader(path, kMaxEntrySize) {}

ZipReader::ZipReader(const std::filesystem::path& path, std::uint64_t max_entry_size)
    : path_(path), max_entry_size_(max_entry_size), file_(path) {
  constexpr std::string_view kNotZip = "is not a workbook: an .xlsx or .xlsm file is a zip package";
  std::array<unsigned char, 8> head{};
  const std::size_t got = file_.read(0, head.size(), head.data());
  if (got == head.size() && head == kCompoundSignature) refuse_compound_file(file_);
  bool zip = got >= 4 && (zipfmt::get32(head.data()) == zipfmt::kLocalSignature ||
                          zipfmt::get32(head.data()) == zipfmt::kEndSignature);
  if (!zip) fail(path, kNotZip);

  CentralDirectory directory = read_central_directory(file_);
  if (!directory.problem.empty()) damaged(path, directory.problem);
  for (const ZipEntry& entry : directory.entries)
    if (entry.general_flags & zipfmt::kFlagEncrypted)
      damaged(path, "part " + entry.name + " is encrypted");
  entries_ = std::move(directory.entries);
  data_offsets_ = std::move(directory.data_offsets);
  // An OpenDocument file is a zip as well, whose "mimetype" entry names its kind.
  constexpr std::string_view kOpenDocumentSpreadsheet =
      "application/vnd.oasis.opendocument.spreadsheet";
  if (const ZipEntry* kind = find("mimetype"); kind &&
                                               kind->size <= 2 * kOpenDocumentSpreadsheet.size() &&
                                               read(*kind).starts_with(kOpenDocumentSpreadsheet))
    fail(path,
         "is an OpenDocument spreadsheet (.ods); open it in the spreadsheet and save it as .xlsx "
         "or .xlsm");
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

std::uint64_t ZipReader::data_offset(const ZipEntry& entry) const {
  if (entry.index >= data_offsets_.size())
    throw RuntimeError(err::kInvalidCall, "Part " + entry.name + " is not in " + path_.string());
  return data_offsets_[static_cast<std::size_t>(entry.index)];
}

std::string ZipReader::read(const ZipEntry& entry) const {
  const std::string bomb = "part " + entry.name + " inflates past " +
                           std::to_string(max_entry_size_) + " bytes (a zip bomb)";
  if (entry.method != zipfmt::kMethodStored && entry.method != zipfmt::kMethodDeflated)
    damaged(path_, "part " + entry.name + " uses an unsupported compression method");
  if (entry.size > max_entry_size_) damaged(path_, bomb);

  std::string data;
  if (entry.method == zipfmt::kMethodStored) {
    if (entry.compressed_size > max_entry_size_) damaged(path_, bomb);
    data = read_raw(entry);
  } else {
    std::uint64_t offset = data_offset(entry);
    std::uint64_t left = entry.compressed_size;
    const auto input = [&](unsigned char* buffer, std::size_t capacity) {
      const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, left));
      if (!file_.read_exactly(offset, wanted, buffer))
        damaged(path_, "part " + entry.name + " is cut short");
      offset += wanted;
      left -= wanted;
      return wanted;
    };
    InflatedPart inflated = inflate_part(input, entry.compressed_size, entry.size, max_entry_size_);
    switch (inflated.problem) {
      case InflatedPart::Problem::None: break;
      case InflatedPart::Problem::Corrupt:
        damaged(path_, "part " + entry.name + " cannot be inflated");
      case InflatedPart::Problem::PastLimit: damaged(path_, bomb);
      case InflatedPart::Problem::OutOfMemory:
        throw RuntimeError(err::kOutOfMemory, "Out of memory reading " + path_.string());
    }
    data = std::move(inflated.data);
  }

  // Damaged bytes show as a bad CRC first, whatever length they inflated to.
  if (crc_of(data) != entry.crc) damaged(path_, "bad CRC in part " + entry.name);
  if (data.size() != entry.size)
    damaged(path_, "part " + entry.name + " holds " + std::to_string(data.size()) +
                       " bytes but declares " + std::to_string(entry.size));
  return data;
}

std::string ZipReader::read_raw(const ZipEntry& entry) const {
  std::string data(static_cast<std::size_t>(entry.compressed_size), '\0');
  if (!file_.read_exactly(data_offset(entry), data.size(), data.data()))
    damaged(path_, "part " + entry.name + " is cut short");
  return data;
}

}  // namespace fenwarx
