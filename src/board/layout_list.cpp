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

// Whether `file` lies directly in `folder`.
bool InFolder(const std::string& file, const std::string& folder) {
  return base::AbsolutePath(base::ParentOf(file)) == base::AbsolutePath(folder);
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

namespace {

// One folder's layouts in menu order: ".lay" sorted, then ".shp".
void FindLayouts(const std::string& folder, std::vector<LayoutEntry>& lay, std::vector<LayoutEntry>& shp) {
  for (const std::string& file : base::ListFiles(folder, ".lay"))
    lay.push_back(LayoutEntry{file.substr(0, file.size() - 4), base::JoinPath(folder, file), false});
  std::sort(lay.begin(), lay.end(), NameLess);
  for (const std::string& file : base::ListFiles(folder, ".shp"))
    shp.push_back(LayoutEntry{file, base::JoinPath(folder, file), true});
}

}  // namespace

DiscoveryResult DiscoverLayouts(const std::string& layoutsDir, int storedBoardNumber,
                                const std::string& userLayoutsDir) {
  DiscoveryResult r;
  std::vector<LayoutEntry> lay;
  std::vector<LayoutEntry> shp;
  FindLayouts(layoutsDir, lay, shp);
  std::vector<LayoutEntry> own;
  if (!userLayoutsDir.empty()) {
    std::vector<LayoutEntry> ownShp;
    FindLayouts(userLayoutsDir, own, ownShp);
    own.insert(own.end(), ownShp.begin(), ownShp.end());
  }
  r.FilesFound = static_cast<int>(lay.size() + shp.size());
  // The player's copy of a shipped layout (an edited one) replaces its file.
  std::vector<LayoutEntry> added;
  for (LayoutEntry& mine : own) {
    bool replaced = false;
    for (auto* part : {&lay, &shp})
      for (LayoutEntry& shipped : *part)
        if (!replaced && shipped.Name == mine.Name && shipped.Shp == mine.Shp) {
          shipped.File = mine.File;
          replaced = true;
        }
    if (!replaced) added.push_back(std::move(mine));
  }
  r.FilesFound += static_cast<int>(added.size());

  int board = storedBoardNumber;
  if (board == -1) {
    for (std::size_t i = 0; i < lay.size(); ++i)
      if (lay[i].Name == DefaultLayoutName) board = static_cast<int>(i) + 1;
    if (board == -1) board = 1;
  }
  for (auto* part : {&lay, &shp, &added})
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
  // A layout of the player's own folder, or one saved elsewhere.
  if (!InFolder(entry.File, layoutsDir) && base::IsFile(entry.File)) return entry.File;
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
  if (!InFolder(e->File, layoutsDir) && base::IsFile(e->File)) s.CurrentLayoutFile = e->File;
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
  if (r.BoardNumber != 0) {
    // The entry now stands for the file just written (an edited shipped
    // layout saved in the player's own folder).
    LayoutEntry& entry = list.Entries[static_cast<std::size_t>(r.BoardNumber - 1)];
    if (!entry.Shp) entry.File = file;
    return r;
  }
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
