// Opening and saving a colour list file on the real main window: the cost per
// line at 100,000 lines against the cost per line at 1,000 (read, parse,
// fill the grid and its one repaint; collect the rows, write them).
// Run under Wine on a virtual display; prints microseconds per line.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "bench/WinBench.h"
#include "framework/Application.h"

namespace {

std::string ListFile(int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += std::to_string(i % 256) + "," + std::to_string((i * 7) % 256) + "," + std::to_string((i * 13) % 256) +
            ",\"colour " + std::to_string(i) + "\"\r\n";
  return text;
}

struct TPerLine {
  double Load, Save;
};

TPerLine Measure(TfrmTintra& form, int lines, int rounds) {
  const std::string file = ListFile(lines);
  std::vector<double> loads, saves;
  for (int round = 0; round < rounds; ++round) {
    form.Documents.Document.Clear();
    fw::Application().ProcessMessages();
    TMemoryStream in(file.data(), file.size());
    double t = Now();
    form.Documents.Document.LoadFromStream(in);
    form.ColorList.gridItem.Update();
    loads.push_back((Now() - t) / lines * 1e6);
    TMemoryStream out;
    t = Now();
    form.Documents.Document.SaveToStream(out);
    saves.push_back((Now() - t) / lines * 1e6);
    if (out.Size() != static_cast<std::int64_t>(file.size())) std::printf("saved %d bytes?\n", int(out.Size()));
  }
  return {Median(loads), Median(saves)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  TBenchProgram program;
  const int rounds = argc > 1 ? std::max(3, _wtoi(argv[1])) : 5;
  {
    TfrmTintra form;  // no settings: a last file would change what is measured
    form.CreateForm();
    form.Show();
    fw::Application().ProcessMessages();
    const TPerLine small = Measure(form, 1000, rounds * 5), large = Measure(form, 100000, rounds);
    std::printf("open per line    %.2f us at 1,000 lines, %.2f us at 100,000; ratio %.2f (target <= 1.5)\n", small.Load,
                large.Load, large.Load / small.Load);
    std::printf("save per line    %.2f us at 1,000 lines, %.2f us at 100,000; ratio %.2f (target <= 1.5)\n", small.Save,
                large.Save, large.Save / small.Save);
    std::fflush(stdout);
    form.Documents.Document.SetModified(false);
  }
  return 0;
}
