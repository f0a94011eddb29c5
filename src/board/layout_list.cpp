#include "board/layout_list.h"

#include <algorithm>
#include <cctype>

#include "board/layout_file.h"

namespace board {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Case-insensitive order; names equal but for case keep a fixed order.
bool NameLess(const LayoutEntry& a, const LayoutEntry& b) {
  const bool less = std::lexicographical_compare(a.Name.begin(), a.Name.end(), b.Name.begin(), b.Name.end(),
                                                 [](char x, char y) { return Lower(x) < Lower(y); });
  const bool greater = std::lexicographical_compare(b.Name.begin(), b.Name.end(), a.Name.begin(), a.Name.end(),
                                                    [](char x, char y) { return Lower(x) < Lower(y); });
  if (less || greater) return less;
  return a.Name < b.Name;
}

}  // namespace

const std::string& LayoutList::LayoutName(int i) const {
  static const std::string none;
  const LayoutEntry* e = Entry(i);
  return e ? e->Name : none;
}

const LayoutEntry* LayoutList::Entry(int i) const {
  if (i < 1 || i > LayoutCount()) return nullptr;
  return &Entries[static_cast<std::size_t>(i - 1)];
}

std::string HallOfFameSectionOf(const std::string& name) {
  std::string out;
  for (char c : name)
    if (c != ' ') out += c;
  return out;
}

DiscoveryResult DiscoverLayouts(const std::string& layoutsDir, int storedBoardNumber) {
  DiscoveryResult r;
  std::vector<LayoutEntry> lay;
  for (const std::string& file : base::ListFiles(layoutsDir, ".lay"))
    lay.push_back(LayoutEntry{file.substr(0, file.size() - 4), base::JoinPath(layoutsDir, file), false});
  std::sort(lay.begin(), lay.end(), NameLess);
  std::vector<LayoutEntry> shp;
  for (const std::string& file : base::ListFiles(layoutsDir, ".shp"))
    shp.push_back(LayoutEntry{file, base::JoinPath(layoutsDir, file), true});
  r.FilesFound = static_cast<int>(lay.size() + shp.size());

  int board = storedBoardNumber;
  if (board == -1) {
    for (std::size_t i = 0; i < lay.size(); ++i)
      if (lay[i].Name == DefaultLayoutName) board = static_cast<int>(i) + 1;
    if (board == -1) board = 1;
  }
  for (auto* part : {&lay, &shp})
    for (LayoutEntry& e : *part) {
      if (r.List.LayoutCount() == MaxLayouts) {
        r.TooMany = true;
        break;
      }
      r.List.Entries.push_back(std::move(e));
    }
  if (r.List.LayoutCount() == 0) {
    r.NoLayouts = true;
    r.BoardNumber = 1;
    return r;
  }
  r.CurrentLayoutFile = CurrentFileFor(r.List, layoutsDir, board);
  r.BoardNumber = board;
  return r;
}

std::string CurrentFileFor(const LayoutList& list, const std::string& layoutsDir, int& boardNumber) {
  if (list.LayoutCount() == 0) {
    boardNumber = 1;
    return {};
  }
  boardNumber = std::clamp(boardNumber, 1, list.LayoutCount());
  const LayoutEntry& entry = *list.Entry(boardNumber);
  std::string file = base::JoinPath(layoutsDir, entry.Name);
  if (base::Exists(file + ".lay")) file += ".lay";
  if (base::Exists(file + ".shp")) file += ".shp";
  // The file itself when its extension is written in another case, or when
  // it was saved outside the folder.
  if (!base::Exists(file) && base::Exists(entry.File)) file = entry.File;
  if (!base::Exists(file)) {
    boardNumber = 1;
    const LayoutEntry& first = *list.Entry(1);
    file = base::JoinPath(layoutsDir, first.Shp ? first.Name : first.Name + ".lay");
    if (!base::Exists(file) && base::Exists(first.File)) file = first.File;
  }
  return file;
}

Selection SelectLayout(const LayoutList& list, const std::string& layoutsDir, int i) {
  Selection s;
  const LayoutEntry* e = list.Entry(i);
  if (!e) return s;
  s.BoardNumber = i;
  s.Shp = e->Shp;
  s.CurrentLayoutFile = base::JoinPath(layoutsDir, e->Shp ? e->Name : e->Name + ".lay");
  if (!base::Exists(s.CurrentLayoutFile) && base::Exists(e->File)) s.CurrentLayoutFile = e->File;
  return s;
}

SaveResult SaveLayoutFile(LayoutList& list, std::string file, const std::string& name, const LayoutGrid& layout) {
  SaveResult r;
  if (file.find(".lay") == std::string::npos) file += ".lay";
  WriteLayFile(file, name, layout);
  r.File = file;
  const std::string fileName = base::FileNameOf(file);
  const std::string listName = fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
  for (int i = 1; i <= list.LayoutCount(); ++i)
    if (list.LayoutName(i) == listName) r.BoardNumber = i;  // the last equal entry wins
  if (r.BoardNumber != 0) return r;
  if (list.LayoutCount() >= MaxLayouts) {
    r.ListFull = true;
    return r;
  }
  list.Entries.push_back(LayoutEntry{listName, file, false});
  r.BoardNumber = list.LayoutCount();
  r.Registered = true;
  r.HallOfFameSection = HallOfFameSectionOf(listName);
  return r;
}

}  // namespace board
