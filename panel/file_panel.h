// A panel built from a panel file and run: values fed in, the user's
// actions reported out, the file read again whenever it is saved (real
// window). The panel keeps, beside the library's instruments, what no
// getter reads back: the texts and levels fed to them, and which
// instruments the feed or the user has changed (those keep their values
// across a reload; the others take the start values of the saved file).
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "instrument_panel/session.h"
#include "instrument_panel/types.h"
#include "panel/action_report.h"
#include "panel/feed.h"
#include "panel/line_source.h"
#include "panel/panel_file.h"

namespace ip::panel {

// Messages of the file panel's own.
constexpr uint32_t kFeedMessage = WM_APP + 1;    // headless: wParam = the scripted command; else: lines wait
constexpr uint32_t kReloadMessage = WM_APP + 2;  // the panel file was saved

class FilePanel {
 public:
  FilePanel(PanelDescription description, std::ostream& err);

  // Reports the user's actions to `out` from now on.
  void ReportTo(std::ostream& out);
  // Headless: the feed's commands, delivered as scripted messages at their times.
  std::vector<ScriptedMessage> ScheduleFeed(std::vector<TimedFeedCommand> commands);
  // Real window: lines taken from `reader` on each kFeedMessage, named `name` in messages.
  void UseLiveFeed(FeedReader* reader, std::string name);

  // Creates the dialog and the instruments (with the values kept over a
  // reload) and runs its loop until it is closed. True when it should run
  // again: a reload needs a new window (another title or size).
  bool CreateAndRun();
  Handle Dialog() const { return dialog_; }
  // False when the last loop did not run to its end (it spun and was stopped).
  bool Ran() const { return ran_; }
  const PanelDescription& Description() const { return description_; }

  // Reads the panel file again and rebuilds the panel in place, keeping the
  // values set since the start; a file with errors keeps the panel as it is
  // and its errors are printed.
  void Reload();
  // Shows one command on its instrument (and remembers it as set).
  void Apply(const FeedCommand& command);

 private:
  // What the feed gave an instrument that no getter reads back.
  struct Fed {
    std::optional<std::string> text;  // caption or text
    std::optional<float> level;       // text panels
    bool changed = false;             // the feed or the user set a value
  };
  // A changed instrument's value, read back before a rebuild.
  struct Kept {
    FileKind kind;
    FeedCommand command;  // the value as a command
    int32_t knobAngle = 0;
  };

  int32_t OnMessage(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam);
  int32_t OnCommand(Handle window, uint32_t wParam, uint32_t lParam);
  void OnMouse(uint32_t wParam, uint32_t lParam);
  void OnTimer(uint32_t timer);
  std::string ShownValue(int32_t id) const;
  void OnFeed(uint32_t wParam);
  void BuildInstruments();
  void StartTimers();
  void StopTimers();
  void StepMarquee(const InstrumentDescription& marquee);
  void PaintTextPanel(const InstrumentDescription& panel);
  void DrainLiveFeed();
  void UpdateReportTimer();
  std::map<int32_t, Kept> KeepChangedValues() const;
  void RestoreKept();

  PanelDescription description_;
  std::ostream& err_;
  Handle dialog_ = 0;
  std::optional<ActionReporter> reporter_;
  std::vector<FeedCommand> scheduled_;
  FeedReader* liveFeed_ = nullptr;
  std::string liveFeedName_;
  std::map<int32_t, Fed> fed_;
  std::map<int32_t, Kept> kept_;  // to restore after the next build
  bool runAgain_ = false;
  bool ran_ = true;
  std::optional<PanelDescription> next_;  // the description a new window is made for
  // What another thread may read: the dialog to post to, and whether a
  // reload message is on its way.
  std::atomic<Handle> postTarget_{0};
  std::atomic<bool> reloadPending_{false};

 public:
  // Another thread: the file was saved (at most one reload message waits).
  void FileSaved();
  // Another thread: feed lines wait.
  void FeedArrived();
};

// The headless and real-window runs of `--panel FILE` (command_line.cpp
// gives them the options it read). They return the program's exit status.
struct FilePanelRun {
  std::string panelPath;
  std::string feedPath;  // "" none, "-" standard input
  bool report = false;
  std::string screenshotFile;  // headless
  int scale = 1;               // the display scale (1..kMaxDisplayScale, or kAutoDisplayScale)
};
int RunFilePanelHeadless(const FilePanelRun& run, HeadlessSettings settings, std::ostream& out, std::ostream& err);
int RunFilePanelWindow(const FilePanelRun& run, std::ostream& out, std::ostream& err);

// The folders bitmaps of a panel file are looked for in, after the working
// directory: the file's own folder, then the panel's bitmap folder.
void UsePanelFileBitmapFolders(const std::string& panelPath);

}  // namespace ip::panel
