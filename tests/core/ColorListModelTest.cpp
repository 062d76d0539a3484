#include "core/colorlist/uColorList.h"
#include "core/colorlist/uColorListRecovery.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using TItems = std::vector<TColorListItem>;

TItems Ramp(int count, int seed = 0) {
  TItems items;
  for (int i = 0; i < count; ++i) items.push_back({(i + seed) % 256, i / 256, seed % 7, {}});
  return items;
}

TItems ItemsOf(const TColorListSnapshot& snapshot) {
  TItems items;
  snapshot.ForEach([&](const TColorListItem& item) { items.push_back(item); });
  return items;
}

// Walks the chunks; a few items are also looked up by index.
TItems ItemsOf(const TColorList& list) {
  TItems items = ItemsOf(list.Snapshot());
  for (int i = 0; i < list.Count(); i += 97) EXPECT_EQ(list.Item(i), items[static_cast<std::size_t>(i)]) << i;
  return items;
}

struct TState {
  TItems Items;
  int Current = -1;
  bool operator==(const TState&) const = default;
};

void PrintTo(const TState& state, std::ostream* out) {
  *out << state.Items.size() << " items, current " << state.Current;
  if (!state.Items.empty()) *out << ", last red " << state.Items.back().Red;
}

TState StateOf(const TColorList& list) { return {ItemsOf(list), list.Current()}; }

// Random steps over a list long enough for many chunks, against a plain
// vector; every undo and redo must give back exactly the state it left,
// and an old snapshot must never see a later change.
TEST(ColorListModel, RandomStepsUndoAndRedoExactlyAgainstAPlainVector) {
  std::mt19937 random(20261209);
  TColorList list;
  list.ReplaceAll(Ramp(1200));
  std::vector<TState> timeline{StateOf(list)};
  // The current item before and after each step of the timeline.
  std::vector<std::pair<int, int>> currents;
  std::size_t at = 0;
  std::vector<std::pair<TColorListSnapshot, TItems>> snapshots;
  auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  for (int round = 0; round < 700; ++round) {
    TState next{timeline[at].Items, list.Current()};
    int before = list.Current();
    const int count = list.Count(), kind = pick(100);
    TListChange change;
    bool stepped = true;
    if (kind < 12) {
      const TColorListItem item{pick(256), pick(256), pick(256), L"added"};
      change = list.Add(item, 1);
      next.Items.push_back(item);
      next.Current = count;
    } else if (kind < 15) {
      TItems items = Ramp(1 + pick(600), round);
      change = list.Append(items, 2);
      next.Items.insert(next.Items.end(), items.begin(), items.end());
      next.Current = count;
    } else if (kind < 35) {
      const int index = pick(count);
      change = list.Delete(index, 3);
      stepped = count > 1;
      if (stepped) {
        next.Items.erase(next.Items.begin() + index);
        if (next.Current > index || (next.Current == index && index == count - 1)) --next.Current;
      }
    } else if (kind < 55) {
      const int from = pick(count), to = pick(count);
      change = list.Move(from, to, 4);
      stepped = from != to;
      const TColorListItem moved = next.Items[static_cast<std::size_t>(from)];
      next.Items.erase(next.Items.begin() + from);
      next.Items.insert(next.Items.begin() + to, moved);
      if (next.Current == from)
        next.Current = to;
      else if (from < next.Current && next.Current <= to)
        --next.Current;
      else if (to <= next.Current && next.Current < from)
        ++next.Current;
      if (stepped) {
        EXPECT_EQ(change.First, std::min(from, to));
      }
    } else if (kind < 70) {
      const int index = pick(count);
      const std::wstring comment = L"e" + std::to_wstring(round);
      EXPECT_EQ(list.SetCell(index, lcComment, comment, 5, &change), TCellEdit::Changed);
      next.Items[static_cast<std::size_t>(index)].Comment = comment;
      // An edit's undo and redo both show the edited item.
      next.Current = before = index;
    } else if (kind < 72) {
      list.SetCurrent(pick(count));
      continue;
    } else if (kind < 90) {
      if (at == 0) continue;
      change = list.Undo();
      --at;
      EXPECT_EQ(StateOf(list), (TState{timeline[at].Items, currents[at].first})) << "undo, round " << round;
      continue;
    } else {
      if (at + 1 >= timeline.size()) continue;
      change = list.Redo();
      ++at;
      EXPECT_EQ(StateOf(list), (TState{timeline[at].Items, currents[at - 1].second})) << "redo, round " << round;
      continue;
    }
    if (!stepped) {
      EXPECT_TRUE(change.None());
      continue;
    }
    timeline.resize(at + 1);
    currents.resize(at);
    timeline.push_back(next);
    currents.emplace_back(before, next.Current);
    ++at;
    ASSERT_EQ(StateOf(list), next) << "step " << kind << ", round " << round;
    if (round % 100 == 0) snapshots.emplace_back(list.Snapshot(), next.Items);
  }
  while (list.CanUndo()) list.Undo();
  EXPECT_EQ(StateOf(list).Items, timeline.front().Items);
  for (const auto& [snapshot, items] : snapshots) EXPECT_EQ(ItemsOf(snapshot), items);
}

TEST(ColorListModel, TypedCellsFollowTheListsRules) {
  struct Case {
    TListColumnId Column;
    const wchar_t* Text;
    TCellEdit Result;
    TColorListItem After;
  };
  const TColorListItem before{10, 300, 30, L"note"};
  const Case cases[] = {
      {lcRed, L"10", TCellEdit::Unchanged, before},
      {lcRed, L"010", TCellEdit::Unchanged, before},
      {lcRed, L"11", TCellEdit::Changed, {11, 300, 30, L"note"}},
      {lcRed, L"-5", TCellEdit::Changed, {0, 300, 30, L"note"}},
      {lcRed, L"999", TCellEdit::Changed, {255, 300, 30, L"note"}},
      {lcRed, L"abc", TCellEdit::Refused, before},
      {lcRed, L"", TCellEdit::Refused, before},
      {lcRed, L"1.5", TCellEdit::Refused, before},
      // A channel a file gave out of range stays until another number is typed.
      {lcGreen, L"300", TCellEdit::Unchanged, before},
      {lcGreen, L"299", TCellEdit::Changed, {10, 255, 30, L"note"}},
      {lcBlue, L"+31", TCellEdit::Changed, {10, 300, 31, L"note"}},
      {lcComment, L"note", TCellEdit::Unchanged, before},
      {lcComment, L"a\r\nb\x1A" L"c", TCellEdit::Changed, {10, 300, 30, L"a  b c"}},
      {lcComment, L"", TCellEdit::Changed, {10, 300, 30, L""}},
      {lcHex, L"#FFFFFF", TCellEdit::Unchanged, before},
      {lcNumber, L"7", TCellEdit::Unchanged, before},
  };
  for (const Case& c : cases) {
    TColorList list;
    list.ReplaceAll({before});
    EXPECT_EQ(list.SetCell(0, c.Column, c.Text, 0), c.Result) << c.Column << " " << testing::PrintToString(c.Text);
    EXPECT_EQ(list.Item(0), c.After) << c.Column;
    EXPECT_EQ(list.CanUndo(), c.Result == TCellEdit::Changed);
    EXPECT_EQ(list.Modified(), c.Result == TCellEdit::Changed);
  }
  TColorList list;
  list.ReplaceAll({before});
  EXPECT_EQ(list.CellText(0, lcHex, 0), L"#0AFF1E");
  EXPECT_EQ(list.CellText(0, lcHex, 1), L"#1EFF0A");
  EXPECT_EQ(list.CellText(0, lcGreen, 0), L"300");
  EXPECT_EQ(list.CellText(0, lcNumber, 0), L"1");
}

// The modified mark follows the saved point through undo and redo; an
// edit that changed nothing marks the list without a step.
TEST(ColorListModel, ModifiedFollowsTheSavedPoint) {
  TColorList list;
  list.ReplaceAll(Ramp(3));
  struct Step {
    char Do;  // a add, u undo, r redo, s save, m mark modified, d delete
    bool Modified, CanUndo, CanRedo;
  };
  const Step steps[] = {
      {'a', true, true, false},  {'a', true, true, false},  {'s', false, true, false}, {'u', true, true, true},
      {'r', false, true, false}, {'m', true, true, false},  {'u', true, true, true},   {'r', false, true, false},
      {'u', true, true, true},   {'u', true, false, true},  {'d', true, true, false},  {'u', true, false, true},
      {'r', true, true, false},  {'s', false, true, false},
  };
  for (const Step& s : steps) {
    switch (s.Do) {
      case 'a': list.Add({1, 2, 3, L""}, 0); break;
      case 'u': list.Undo(); break;
      case 'r': list.Redo(); break;
      case 's': list.MarkSaved(); break;
      case 'm': list.MarkModified(); break;
      case 'd': list.Delete(0, 0); break;
    }
    EXPECT_EQ(list.Modified(), s.Modified) << s.Do;
    EXPECT_EQ(list.CanUndo(), s.CanUndo) << s.Do;
    EXPECT_EQ(list.CanRedo(), s.CanRedo) << s.Do;
  }
  // A new list: empty history, not modified.
  list.ReplaceAll({});
  EXPECT_FALSE(list.Modified() || list.CanUndo() || list.CanRedo());
  EXPECT_EQ(list.Current(), -1);
}

TEST(ColorListModel, HistoryKeepsWithinItsBoundDroppingTheOldestSteps) {
  TColorList list;
  list.ReplaceAll({});
  list.SetHistoryLimit(1 << 20);
  for (int i = 0; i < 40; ++i) list.Append(Ramp(1000, i), static_cast<TListStepLabel>(i));
  EXPECT_LE(list.HistoryBytes(), std::size_t{1} << 20);
  EXPECT_LT(list.StepCount(), 40u);
  EXPECT_EQ(list.UndoLabel(), 39u);
  int undone = 0;
  while (list.CanUndo()) {
    list.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, static_cast<int>(list.StepCount()));
  EXPECT_EQ(list.Count(), (40 - undone) * 1000);
  // The saved state went with the dropped steps: nothing reaches it again.
  EXPECT_TRUE(list.Modified());
  // One step larger than the bound still undoes.
  list.SetHistoryLimit(1000);
  list.Append(Ramp(5000), 99);
  EXPECT_TRUE(list.CanUndo());
  EXPECT_EQ(list.UndoLabel(), 99u);
}

TEST(ColorListRecovery, KeepsTheListExactlyAndRefusesAnyDamage) {
  TColorList list;
  list.ReplaceAll({{300, -5, 7, L" \"quoted\", 日本語 "}, {1, 2, 3, L""}, {0, 0, 0, L"\u2248ab"}});
  const std::string bytes = RecoveryFileBytes(L"C:\\色\\a.txt", list.Snapshot(), 2);
  const auto read = ReadRecoveryFile(bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->FileName, L"C:\\色\\a.txt");
  EXPECT_EQ(read->Items, ItemsOf(list.Snapshot()));
  EXPECT_EQ(read->Current, 2);
  const auto untitled = ReadRecoveryFile(RecoveryFileBytes(L"", TColorList().Snapshot(), 0));
  ASSERT_TRUE(untitled);
  EXPECT_TRUE(untitled->FileName.empty() && untitled->Items.empty());

  const std::size_t lines = bytes.find("300,");
  const struct {
    const char* Name;
    std::string Bytes;
  } damaged[] = {
      {"empty", ""},
      {"without its mark", bytes.substr(3)},
      {"cut in the header", bytes.substr(0, 30)},
      {"cut after a line", bytes.substr(0, bytes.find("\r\n", lines) + 2)},
      {"a line too many", bytes + "4,5,6,\"x\"\r\n"},
      {"an unreadable line", bytes + "x\r\n"},
      {"another version", std::string(bytes).replace(bytes.find('1'), 1, "2")},
      {"a count that is no number", std::string(bytes).replace(bytes.find("count=3"), 7, "count=x")},
  };
  for (const auto& d : damaged) EXPECT_FALSE(ReadRecoveryFile(d.Bytes)) << d.Name;
}

}  // namespace
