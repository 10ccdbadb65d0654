// Running a panel file: the dialog's callback (clicks, drags, feed lines,
// marquee steps, reloads), and the headless and real-window runs.
#include "panel/file_panel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <iterator>

#include "host/terminal_text.h"
#include "instrument_panel/bitmaps.h"
#include "instrument_panel/buttons.h"
#include "instrument_panel/dialog.h"
#include "instrument_panel/display.h"
#include "instrument_panel/gauge.h"
#include "instrument_panel/instrument_values.h"
#include "instrument_panel/interaction.h"
#include "instrument_panel/knobs.h"
#include "instrument_panel/leds.h"
#include "instrument_panel/text_panels.h"
#include "panel/asset_folder.h"
#include "panel/command_line.h"
#include "panel/panel.h"
#include "panel/panel_file_build.h"

namespace ip::panel {

namespace {

constexpr uint32_t kMarqueeTimerBase = 0x10000;  // + the marquee's identifier
constexpr uint32_t kReportTimer = 0x20000;
const char* const kDragNone = "none";
const char* const kDragBoth = "both";
const char* const kStandardInput = "-";
const char* const kStandardInputName = "standard input";
const char* const kProgramName = "instrument-panel";

bool IsToggled(FileKind kind) { return kind == FileKind::kButton || kind == FileKind::kSwitch; }

bool SameWindowShape(const WindowDescription& a, const WindowDescription& b) {
  return a.title == b.title && a.width == b.width && a.height == b.height;
}

// Reads a whole feed for a headless run: a regular file or a FIFO by name,
// or standard input, up to kMaxFeedBytes.
bool ReadWholeFeed(const std::string& path, std::string& text, std::string& reason) {
  int fd = STDIN_FILENO;
  if (path != kStandardInput) {
    struct stat named {};
    if (stat(path.c_str(), &named) != 0) {
      reason = std::strerror(errno);
      return false;
    }
    if (!S_ISREG(named.st_mode) && !S_ISFIFO(named.st_mode)) {
      reason = "not a regular file or a FIFO";
      return false;
    }
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      reason = std::strerror(errno);
      return false;
    }
  }
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      reason = std::strerror(errno);
      ok = false;
    }
    if (got <= 0) break;
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > kMaxFeedBytes) {
      reason = "the feed is larger than " + std::to_string(kMaxFeedBytes) + " bytes";
      ok = false;
      break;
    }
  }
  if (fd != STDIN_FILENO) close(fd);
  return ok;
}

std::string FeedName(const std::string& path) {
  return path == kStandardInput ? kStandardInputName : PrintableText(path);
}

}  // namespace

void UsePanelFileBitmapFolders(const std::string& panelPath) {
  std::string folder = std::filesystem::path(panelPath).parent_path().string();
  SetBitmapSearchFolders({folder.empty() ? "." : folder, PanelAssetFolder()});
}

FilePanel::FilePanel(PanelDescription description, std::ostream& err)
    : description_(std::move(description)), err_(err) {}

void FilePanel::ReportTo(std::ostream& out) { reporter_.emplace(out); }

std::vector<ScriptedMessage> FilePanel::ScheduleFeed(std::vector<TimedFeedCommand> commands) {
  std::vector<ScriptedMessage> messages;
  scheduled_.clear();
  for (TimedFeedCommand& timed : commands) {
    messages.push_back({timed.timeMs, kFeedMessage, static_cast<uint32_t>(scheduled_.size()), 0});
    scheduled_.push_back(std::move(timed.command));
  }
  return messages;
}

void FilePanel::UseLiveFeed(FeedReader* reader, std::string name) {
  liveFeed_ = reader;
  liveFeedName_ = std::move(name);
}

bool FilePanel::CreateAndRun() {
  if (next_) description_ = std::move(*next_);
  next_.reset();
  runAgain_ = false;
  dialog_ = CreateDescribedWindow(description_.window);
  postTarget_ = dialog_;
  BuildInstruments();
  ran_ = RunDialogModal([this](Handle w, uint32_t m, uint32_t wp, uint32_t lp) { return OnMessage(w, m, wp, lp); },
                        dialog_, nullptr);
  postTarget_ = 0;
  return runAgain_;
}

void FilePanel::BuildInstruments() {
  fed_.clear();
  for (const InstrumentDescription& instrument : description_.instruments) BuildInstrument(dialog_, instrument);
  RestoreKept();
}

// ---- messages ----

int32_t FilePanel::OnMessage(Handle window, uint32_t message, uint32_t wParam, uint32_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      StartTimers();
      DrainLiveFeed();  // lines posted to a window that has gone wait here
      if (reloadPending_) PostMessageFromAnyThread(dialog_, kReloadMessage, 0, 0);
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_COMMAND:
      return OnCommand(window, wParam, lParam);
    case WM_SETCURSOR:
      OnMouse(wParam, lParam);
      return 0;
    case kFeedMessage:
      OnFeed(wParam);
      return 0;
    case kReloadMessage:
      Reload();
      return 0;
    default:
      return 0;
  }
}

// A click on a button or switch toggles it; Escape (the dialog's own
// cancel command, with no control) ends the panel.
int32_t FilePanel::OnCommand(Handle window, uint32_t wParam, uint32_t lParam) {
  const int32_t id = static_cast<int32_t>(LowWord(wParam));
  if (lParam == 0) {
    if (id != static_cast<int32_t>(IDCANCEL)) return 0;
    StopTimers();
    EndDialogWindow(window, 0);
    return 1;
  }
  const InstrumentDescription* instrument = description_.Find(id);
  if (instrument == nullptr || !IsToggled(instrument->kind)) return 0;
  ToggleButton(dialog_, id, ToggleLabels(*instrument));
  fed_[id].changed = true;
  if (reporter_) reporter_->StateChanged(id, GetButtonState(dialog_, id) != 0);
  return 0;
}

void FilePanel::OnMouse(uint32_t wParam, uint32_t lParam) {
  FollowMouseOptions options{
      [this](int32_t id) {
        const InstrumentDescription* d = description_.Find(id);
        return d != nullptr && (d->kind == FileKind::kKnob || (d->kind == FileKind::kGauge && d->Text("drag") != kDragNone));
      },
      [this](int32_t id) {
        const InstrumentDescription* d = description_.Find(id);
        return d != nullptr && d->kind == FileKind::kGauge && d->Text("drag") == kDragBoth;
      }};
  const int32_t id = GetDlgCtrlID(wParam);
  const std::string before = ShownValue(id);
  if (FollowMouse(dialog_, WM_SETCURSOR, wParam, options) && ShownValue(id) != before) {
    fed_[id].changed = true;
    if (reporter_) reporter_->ValueChanged(id, ShownValue(id), SessionClockMs());
  }
  const uint32_t mouse = HighWord(lParam);
  if (reporter_ && (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP)) reporter_->Released(SessionClockMs());
  UpdateReportTimer();
}

// What a knob or gauge shows, as a report writes it ("" for other instruments).
std::string FilePanel::ShownValue(int32_t id) const {
  const InstrumentDescription* d = description_.Find(id);
  if (d == nullptr) return "";
  if (d->kind == FileKind::kKnob) return std::to_string(static_cast<int32_t>(GetKnobPercent(dialog_, id)));
  if (d->kind == FileKind::kGauge) return ReportedNumber(GetGaugeValue(dialog_, id));
  return "";
}

void FilePanel::OnTimer(uint32_t timer) {
  if (timer == kReportTimer) {
    if (reporter_) reporter_->Tick(SessionClockMs());
    UpdateReportTimer();
    return;
  }
  const InstrumentDescription* marquee = description_.Find(static_cast<int32_t>(timer - kMarqueeTimerBase));
  if (timer > kMarqueeTimerBase && marquee != nullptr && marquee->kind == FileKind::kMarquee) StepMarquee(*marquee);
}

void FilePanel::OnFeed(uint32_t wParam) {
  if (liveFeed_ != nullptr) {
    DrainLiveFeed();
  } else if (wParam < scheduled_.size()) {
    Apply(scheduled_[wParam]);
  }
}

void FilePanel::DrainLiveFeed() {
  if (liveFeed_ == nullptr) return;
  for (const NumberedLine& line : liveFeed_->Take()) {
    if (IsFeedLineSkipped(line.text)) continue;
    FeedCommand command;
    std::string reason;
    if (ParseFeedLine(description_, line.text, command, reason)) {
      Apply(command);
    } else {
      err_ << liveFeedName_ << ":" << line.number << ": " << reason << std::endl;
    }
  }
}

void FilePanel::FeedArrived() { PostMessageFromAnyThread(postTarget_, kFeedMessage, 0, 0); }

void FilePanel::FileSaved() {
  if (!reloadPending_.exchange(true)) PostMessageFromAnyThread(postTarget_, kReloadMessage, 0, 0);
}

// ---- timers ----

void FilePanel::StartTimers() {
  for (const InstrumentDescription& d : description_.instruments) {
    if (d.kind == FileKind::kMarquee) SetTimer(dialog_, kMarqueeTimerBase + static_cast<uint32_t>(d.id), d.Whole("step-ms"));
  }
}

void FilePanel::StopTimers() {
  for (const InstrumentDescription& d : description_.instruments) {
    if (d.kind == FileKind::kMarquee) KillTimer(dialog_, kMarqueeTimerBase + static_cast<uint32_t>(d.id));
  }
  KillTimer(dialog_, kReportTimer);
}

void FilePanel::UpdateReportTimer() {
  if (reporter_ && reporter_->Holding()) {
    SetTimer(dialog_, kReportTimer, static_cast<uint32_t>(kMinReportIntervalMs));
  } else {
    KillTimer(dialog_, kReportTimer);
  }
}

void FilePanel::StepMarquee(const InstrumentDescription& d) {
  const Fed& fed = fed_[d.id];
  ScrollMarquee(dialog_, d.id, d.Whole("frame-width"), d.Text("frame-colour"), d.Text("fill-colour"),
                d.Whole("pattern"), fed.text.value_or(d.Text("text")), d.Colour("text-colour"), d.Whole("font-size"));
}

void FilePanel::PaintTextPanel(const InstrumentDescription& d) {
  const Fed& fed = fed_[d.id];
  ip::ShowTextPanel(dialog_, d.id, d.Whole("frame-width"), fed.level.value_or(d.Number("level")),
                    static_cast<int16_t>(d.Whole("grid-percent")), fed.text.value_or(d.Text("text")),
                    d.Whole("font-size"), d.Colour("text-colour"), d.Text("fill-colour"));
}

// ---- values ----

void FilePanel::Apply(const FeedCommand& command) {
  const InstrumentDescription* d = description_.Find(command.id);
  if (d == nullptr || d->kind != command.kind) return;
  Fed& fed = fed_[command.id];
  fed.changed = true;
  const int32_t id = command.id;
  switch (command.kind) {
    case FileKind::kGauge:
      if (command.hasText) fed.text = command.text;
      SetGaugeValue(dialog_, id, command.value, command.hasText ? command.text : "");
      break;
    case FileKind::kLamp:
      SetLedLampValue(dialog_, id, command.value, command.text);
      break;
    case FileKind::kRoundLamp:
      SetRoundLampValue(dialog_, id, command.value, command.text);
      break;
    case FileKind::kKnob:
      SetKnobPercent(dialog_, id, command.value);
      break;
    case FileKind::kButton:
    case FileKind::kSwitch:
      SetButtonState(dialog_, id, command.on, ToggleLabels(*d));
      break;
    case FileKind::kDisplay:
      SetDisplayText(dialog_, id, command.text);
      break;
    case FileKind::kLabel:
      fed.text = command.text;
      SetGaugeValue(dialog_, id, -1, command.text.empty() ? " " : command.text);  // -1: the level stays
      break;
    case FileKind::kTextPanel:
      fed.level = command.value;
      if (command.hasText) fed.text = command.text;
      PaintTextPanel(*d);
      break;
    case FileKind::kMarquee:
      fed.text = command.text;  // shown from the next step
      break;
    case FileKind::kBlackboard:
      fed.text = command.text;
      WriteBlackboard(dialog_, id, command.text);
      break;
    case FileKind::kBackground:
      break;
  }
}

// ---- reloading ----

void FilePanel::Reload() {
  reloadPending_ = false;
  PanelDescription fresh;
  std::string errors;
  if (!ReadPanelFile(description_.fileName, fresh, errors)) {
    err_ << errors << kProgramName << ": " << PrintableText(description_.fileName)
         << " has errors; the panel stays as it was" << std::endl;
    return;
  }
  kept_ = KeepChangedValues();
  if (!SameWindowShape(fresh.window, description_.window)) {
    next_ = std::move(fresh);
    runAgain_ = true;
    StopTimers();
    EndDialogWindow(dialog_, 0);
    return;
  }
  StopTimers();
  ApplyWindowColour(dialog_, fresh.window);
  DestroyDialogControls(dialog_);
  description_ = std::move(fresh);
  BuildInstruments();
  StartTimers();
}

std::map<int32_t, FilePanel::Kept> FilePanel::KeepChangedValues() const {
  std::map<int32_t, Kept> kept;
  for (const auto& [id, fed] : fed_) {
    const InstrumentDescription* d = description_.Find(id);
    if (!fed.changed || d == nullptr) continue;
    Kept k{d->kind, FeedCommand{}, 0};
    FeedCommand& c = k.command;
    c.id = id;
    c.kind = d->kind;
    c.hasText = fed.text.has_value();
    c.text = fed.text.value_or("");
    switch (d->kind) {
      case FileKind::kGauge:
        c.value = GetGaugeValue(dialog_, id);
        break;
      case FileKind::kLamp:
      case FileKind::kRoundLamp:
        c.value = GetLampLevel(dialog_, id);
        c.hasText = false;
        c.text.clear();
        break;
      case FileKind::kKnob:
        c.value = GetKnobPercent(dialog_, id);
        k.knobAngle = GetKnobAngle(dialog_, id);
        break;
      case FileKind::kButton:
      case FileKind::kSwitch:
        c.on = GetButtonState(dialog_, id) != 0;
        break;
      case FileKind::kDisplay:
        c.text = GetDisplayText(dialog_, id);
        c.hasText = true;
        break;
      case FileKind::kTextPanel:
        c.value = fed.level.value_or(d->Number("level"));
        break;
      default:
        break;
    }
    kept.emplace(id, std::move(k));
  }
  return kept;
}

// Gives the instruments of the new description the values kept from the
// old one, where the identifier names an instrument of the same kind.
void FilePanel::RestoreKept() {
  const std::map<int32_t, Kept> kept = std::move(kept_);
  kept_.clear();
  for (const auto& [id, k] : kept) {
    const InstrumentDescription* d = description_.Find(id);
    if (d == nullptr || d->kind != k.kind) continue;
    if (d->kind == FileKind::kKnob && k.knobAngle >= d->Whole("min-angle") && k.knobAngle <= d->Whole("max-angle")) {
      DrawKnob(dialog_, id, k.knobAngle);  // the very angle it had
      fed_[id].changed = true;
      continue;
    }
    Apply(k.command);
  }
}

// ---- runs ----

// Reads the run's panel file, its bitmaps looked for beside it too; the
// errors go to `err`.
bool ReadPanelForRun(const FilePanelRun& run, PanelDescription& description, std::ostream& err) {
  UsePanelFileBitmapFolders(run.panelPath);
  std::string errors;
  if (ReadPanelFile(run.panelPath, description, errors)) return true;
  err << errors;
  return false;
}

int RunFilePanelHeadless(const FilePanelRun& run, HeadlessSettings settings, std::ostream& out, std::ostream& err) {
  PanelDescription description;
  if (!ReadPanelForRun(run, description, err)) return kExitUsage;
  FilePanel panel(std::move(description), err);
  if (!run.feedPath.empty()) {
    std::string text, reason;
    if (!ReadWholeFeed(run.feedPath, text, reason)) {
      err << kProgramName << ": " << FeedName(run.feedPath) << ": cannot read the feed: " << reason << "\n";
      return kExitUsage;
    }
    std::string lineErrors;
    settings.messages = panel.ScheduleFeed(ParseTimedFeed(panel.Description(), FeedName(run.feedPath), text, lineErrors));
    err << lineErrors;
  }
  if (run.report) panel.ReportTo(out);
  StartHeadlessSession(settings);
  ResetPanelState();
  panel.CreateAndRun();
  const bool open = IsWindowOpen(panel.Dialog());
  const int64_t at = SessionClockMs();
  int status = panel.Ran() ? kExitOk : kExitFailure;  // not when the loop spun and was stopped
  std::string reason;
  if (!run.screenshotFile.empty() && !WriteShownPicture(run.screenshotFile, reason)) {
    err << kProgramName << ": could not write the screenshot " << PrintableText(run.screenshotFile) << ": " << reason
        << "\n";
    status = kExitFailure;
  }
  // With --report standard output carries the report lines only.
  (run.report ? err : out) << "panel " << (open ? "open" : "closed") << " at " << at << " ms\n";
  return status;
}

int RunFilePanelWindow(const FilePanelRun& run, std::ostream& out, std::ostream& err) {
  PanelDescription description;
  if (!ReadPanelForRun(run, description, err)) return kExitUsage;
  FilePanel panel(std::move(description), err);
  std::string reason;
  FeedReader feed;
  if (!run.feedPath.empty()) {
    if (!feed.Start(run.feedPath, [&panel] { panel.FeedArrived(); }, reason)) {
      err << kProgramName << ": " << FeedName(run.feedPath) << ": cannot read the feed: " << reason << "\n";
      return kExitUsage;
    }
    panel.UseLiveFeed(&feed, FeedName(run.feedPath));
  }
  RealWindowSettings settings;
  settings.scale = run.scale;
  settings.fitWidth = panel.Description().window.width;
  settings.fitHeight = panel.Description().window.height;
  if (!StartRealWindowSession(settings, reason)) {
    err << kProgramName << ": no display to open the window on (" << reason << "); use --headless to run offscreen\n";
    return kExitFailure;
  }
  ResetPanelState();
  if (run.report) {
    std::signal(SIGPIPE, SIG_IGN);  // a reader that goes away ends the reports, not the panel
    panel.ReportTo(out);
  }
  FileWatcher watcher;
  if (!watcher.Start(run.panelPath, [&panel] { panel.FileSaved(); }, reason)) {
    err << kProgramName << ": " << PrintableText(run.panelPath) << " will not be reloaded when saved: " << reason << "\n";
  }
  while (panel.CreateAndRun()) {
  }
  watcher.Stop();
  feed.Stop();
  EndWindowSession();
  return kExitOk;
}

}  // namespace ip::panel
