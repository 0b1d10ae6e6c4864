#pragma once

#include <charconv>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

// The names of the temporaries a ReplacementFile writes under: one
// ".ledgerly-PID.tmp" (".ledgerly-PID-SLOT.tmp" beside the first) a file being
// written, so a writer tells its own from one a killed process left behind.
// Shared by the implementations of every system.
namespace ledgerly::platform::temporary_names {

inline constexpr std::string_view kPrefix = ".ledgerly-";
inline constexpr std::string_view kSuffix = ".tmp";

inline std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

inline std::string Name(long process_id, unsigned slot) {
  return std::string(kPrefix) + std::to_string(process_id) +
         (slot == 0 ? "" : "-" + std::to_string(slot)) + std::string(kSuffix);
}

// The process whose temporary this name is, or 0 when it is none.
inline long Owner(std::string_view name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return 0;
  name.remove_prefix(kPrefix.size());
  name.remove_suffix(kSuffix.size());
  long pid = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
  if (ec != std::errc() || pid <= 0) return 0;
  const std::string_view rest(end, static_cast<std::size_t>(name.data() + name.size() - end));
  unsigned slot = 0;
  const bool slotted = rest.size() > 1 && rest[0] == '-' &&
                       std::from_chars(rest.data() + 1, rest.data() + rest.size(), slot).ptr ==
                           rest.data() + rest.size();
  return rest.empty() || slotted ? pid : 0;
}

// Files written at once by one process (a batch's reports) each need a
// temporary name of their own: the lowest slot no open file holds.
inline std::mutex& SlotsMutex() {
  static std::mutex mutex;
  return mutex;
}
inline std::set<unsigned>& SlotsInUse() {
  static std::set<unsigned> slots;
  return slots;
}

inline unsigned TakeSlot() {
  const std::lock_guard lock(SlotsMutex());
  unsigned slot = 0;
  while (SlotsInUse().contains(slot)) ++slot;
  SlotsInUse().insert(slot);
  return slot;
}

inline void FreeSlot(unsigned slot) {
  const std::lock_guard lock(SlotsMutex());
  SlotsInUse().erase(slot);
}

}  // namespace ledgerly::platform::temporary_names
