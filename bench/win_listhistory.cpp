// The list's steps and their undo and redo on the real main window with
// 100,000 rows against the same with 10 (delete, move down, a cell edit;
// each with the repaint it causes and the recovery file kept as the program
// keeps it); undoing an import of 100,000 rows against the import; and the
// window thread's share of keeping the recovery file at 100,000 rows.
// Run under Wine on a virtual display; prints microseconds per call.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/resources/StringIds.h"
#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "bench/WinBench.h"
#include "framework/Application.h"

namespace {

std::vector<TPaletteEntry> Entries(int count) {
  std::vector<TPaletteEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    entries.push_back({static_cast<TColor>(i * 2654435761u & 0xFFFFFFu), L"colour " + std::to_wstring(i)});
  return entries;
}

struct TList {
  TList(int rows, const std::wstring& recovery) : Form(Options(recovery)) {
    Form.CreateForm();
    Form.SetBounds(0, 0, 580, 304);
    Form.Show();
    Form.ColorList.AppendColors(Entries(rows), IDS_STEP_IMPORT);
    fw::Application().ProcessMessages();
  }
  ~TList() {
    Form.Documents.Document.SetModified(false);
    Form.Recovery.Flush();
  }
  static TMainWindowOptions Options(const std::wstring& recovery) {
    TMainWindowOptions options;
    options.RecoveryFolder = recovery;
    return options;
  }
  TComboGrid& Grid() { return Form.ColorList.gridItem; }
  // Microseconds per call, each with the paint it caused; the row it acts
  // on is chosen before the clock starts.
  double Time(const std::function<void()>& run, int calls) {
    double total = 0;
    for (int k = 0; k < calls; ++k) {
      Grid().FocusCell(6, Grid().RowCount() / 2);
      Grid().Update();
      const double t = Now();
      run();
      Grid().Update();
      total += Now() - t;
    }
    return total / calls * 1e6;
  }
  // The step, its undo and its redo; the list is as before at the end.
  std::vector<double> StepUndoRedo(const std::function<void()>& step, int calls) {
    std::vector<double> times{Time(step, calls), Time([&] { Form.actUndo.Execute(); }, calls),
                              Time([&] { Form.actRedo.Execute(); }, calls)};
    for (int k = 0; k < calls; ++k) Form.actUndo.Execute();
    fw::Application().ProcessMessages();
    return times;
  }
  TfrmTintra Form;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TBenchProgram program;
  const int rounds = argc > 1 ? std::max(3, _wtoi(argv[1])) : 7;
  // Deletes leave two of the ten rows.
  constexpr int kCalls = 8;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring recovery = std::wstring(temp) + L"tintra-bench-recovery";
  {
    TList small(10, recovery), large(100000, recovery);
    struct TKind {
      const char* Name;
      std::function<void(TList&)> Step;
    };
    int edits = 0;
    const TKind kinds[] = {
        {"delete", [](TList& l) { l.Form.actDelete.Execute(); }},
        {"move down", [](TList& l) { l.Form.act1Down.Execute(); }},
        {"cell edit", [&edits](TList& l) {
           l.Grid().SetCells(l.Form.ColorList.ColIndex(6), l.Grid().Row(), L"edit " + std::to_wstring(++edits));
         }},
    };
    for (const TKind& kind : kinds) {
      std::vector<double> s[3], l[3];
      for (int round = 0; round < rounds; ++round)
        for (TList* list : {&small, &large}) {
          const std::vector<double> t = list->StepUndoRedo([&] { kind.Step(*list); }, kCalls);
          for (int i = 0; i < 3; ++i) (list == &small ? s : l)[i].push_back(t[static_cast<std::size_t>(i)]);
        }
      const char* what[] = {"", " undo", " redo"};
      for (int i = 0; i < 3; ++i) {
        const double a = Median(s[i]), b = Median(l[i]);
        std::printf("%-9s%-5s  %7.1f us with 10 rows, %7.1f us with 100,000; ratio %.2f (target <= 1.5)\n",
                    kind.Name, what[i], a, b, b / a);
      }
    }

    // An import of 100,000 rows and its undo, on the 10-row list.
    const std::vector<TPaletteEntry> imported = Entries(100000);
    std::vector<double> imports, undos;
    for (int round = 0; round < rounds; ++round) {
      double t = Now();
      small.Form.ColorList.AppendColors(imported, IDS_STEP_IMPORT);
      small.Grid().Update();
      imports.push_back((Now() - t) * 1e3);
      t = Now();
      small.Form.actUndo.Execute();
      small.Grid().Update();
      undos.push_back((Now() - t) * 1e3);
    }
    std::printf("import of 100,000 rows %.1f ms, its undo %.1f ms; ratio %.2f (target <= 1)\n", Median(imports),
                Median(undos), Median(undos) / Median(imports));

    // The window thread's part of keeping the recovery file: a snapshot of
    // the chunks and the hand-over; then the first change after it, which
    // copies the one shared chunk it writes.
    std::vector<double> keeps, firsts;
    const TColorList& model = large.Form.ColorList.List();
    for (int round = 0; round < rounds * 10; ++round) {
      double t = Now();
      large.Form.Recovery.Keep(model.Snapshot(), L"", model.Current());
      keeps.push_back((Now() - t) * 1e6);
      large.Form.Recovery.Flush();
      large.Form.Recovery.Keep(model.Snapshot(), L"", model.Current());
      t = Now();
      large.Grid().SetCells(large.Form.ColorList.ColIndex(6), 50000, L"keep " + std::to_wstring(round));
      firsts.push_back((Now() - t) * 1e6);
    }
    std::printf("recovery hand-over %.1f us, the change after it %.1f us, at 100,000 rows (target < 1000)\n",
                Median(keeps), Median(firsts));
    std::fflush(stdout);
  }
  return 0;
}
