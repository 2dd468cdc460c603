#include "mainwindow/main_form_win32.h"

#include <shellapi.h>

#include <exception>
#include <span>
#include <stdexcept>
#include <string>

#include "connlist/columns.h"
#include "connlist/list_merge.h"
#include "connlist/row_compare.h"
#include "connlist/row_record.h"
#include "forms/application_win32.h"
#include "forms/resources_win32.h"
#include "mainwindow/main_buttons_win32.h"
#include "mainwindow/main_paths.h"
#include "mainwindow/profile_file_win32.h"
#include "mainwindow/row_commands_win32.h"
#include "procinfo/process_actions_win32.h"
#include "mainwindow/snapshot_handover.h"
#include "skin/skin_bmp.h"
#include "snapshot/get_tcp_udp_table.h"

namespace netscry {

TFormNetscry* FormNetscry = nullptr;

namespace {

using forms::TAlign;

constexpr int kListId = 100;

class PlatformShell : public ShellOpener {
 public:
  void Open(HWND parent, const char* verb, const std::string& file) override {
    ShellExecuteA(parent, verb, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
};

// The platform's objects wherever a test gave none: decided once, when the window is made.
MainWindowDeps WithPlatformDefaults(MainWindowDeps deps) {
  static PlatformShell shell;
  if (!deps.shell) deps.shell = &shell;
  if (!deps.processes) deps.processes = &PlatformProcesses();
  return deps;
}

std::string ExecutablePath() {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

forms::LabelParams CounterLabel(const CounterLabelLayout& layout) {
  forms::LabelParams p;
  p.caption = layout.caption;
  p.bounds = {0, 0, 0, 0};
  p.font = {"Arial", 11};
  p.font.bold = layout.style != CounterStyle::Plain;
  p.color = layout.style == CounterStyle::BoldRed    ? forms::clRed
            : layout.style == CounterStyle::BoldBlue ? forms::clBlue
                                                   : forms::clWindowText;
  p.center_vertically = true;
  return p;
}

forms::CheckBoxParams OptionBox(const OptionBoxLayout& layout) {
  forms::CheckBoxParams p;
  p.caption = layout.caption;
  p.bounds = layout.bounds.ToRect();
  p.tag = layout.tag;
  p.checked = layout.checked;
  p.font = {"Arial", 11};
  p.font_color = forms::clBlack;
  return p;
}

}  // namespace

TFormNetscry::TFormNetscry(const MainWindowDeps& deps) : deps_(WithPlatformDefaults(deps)) {}

TFormNetscry::~TFormNetscry() {
  // The list first, by its own destructor, then the window and the rest of the components;
  // the handlers must not run on a half-destroyed object.
  VTS.reset();
  OnCloseQuery = nullptr;
  OnClose = nullptr;
  Destroy();
  if (FormNetscry == this) FormNetscry = nullptr;
}

bool TFormNetscry::Create() {
  FormNetscry = this;
  forms::FormParams fp;
  fp.caption = kMainCaption;
  fp.client_size = kMainClientSize;
  fp.stay_on_top = true;
  // The skinned frame takes the caption and the border icons over (skSkinForm1 below).
  fp.system_menu = fp.minimize_box = fp.maximize_box = true;
  fp.icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!CreateForm(fp)) return false;
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };
  OnClose = [this](forms::TCloseAction& action) { FormClose(action); };
  CreateComponents();
  // The manage column's glyph (the hidden image Image1).
  const auto glyph = forms::ResourceBytes(kManageGlyphResource);
  if (!glyph.empty()) {
    try {
      std::size_t consumed = 0;
      Image1 = DecodeBmp(glyph, consumed);
    } catch (const SkinError&) {
      Image1 = Bitmap32();
    }
  }
  // The window's skin and its frame: sizeable, icon, minimise and maximise, at least 672 × 200,
  // an empty system menu. Without a loadable skin the frame is the plain one.
  CarriedFrameSettings frame;
  frame.sizeable = true;
  frame.border_icons = biSystemMenu | biMinimize | biMaximize;
  frame.min_width = 672;
  frame.min_height = 200;
  frame.system_menu = &PopupMenu1;
  AttachCarriedSkin(skSkinForm1, skCompressedStoredSkin1, skSkinData1, kMainSkinResource, kMainSkinFileName, frame);
  FormCreate();
  return true;
}

void TFormNetscry::CreateComponents() {
  const int width = kMainClientSize.cx;
  const int height = kMainClientSize.cy;

  PTop.Create(*this, {{0, 0, width, kTopPanelHeight}, kPanelColor, forms::TBevel::bvRaised, 1});
  AddAligned(PTop, TAlign::alTop);
  forms::Label* counters[] = {&Label1, &LabAppCount, &Label3, &LabNetCount, &Label5};
  for (std::size_t i = 0; i < kCounterLabels.size(); ++i) {
    counters[i]->Create(PTop, CounterLabel(kCounterLabels[i]));
    PTop.AddAligned(*counters[i], TAlign::alLeft);
  }
  const int top_button_height = kTopPanelHeight - 2;
  BTNHelp = MakeMainButton(PTop, {kHelpButton.caption, {0, 1, kHelpButton.width, 1 + top_button_height}, "BTNHELP"});
  BTNUpdate = MakeMainButton(PTop, {kUpdateButton.caption, {0, 1, kUpdateButton.width, 1 + top_button_height}, "BTNUPDATE"});
  BTNHomePage = MakeMainButton(
      PTop, {kHomePageButton.caption, {0, 1, kHomePageButton.width, 1 + top_button_height}, "BTNHOMEPAGE"});
  // Aligned right: the first one added is the rightmost.
  PTop.AddAligned(*BTNHomePage, TAlign::alRight);
  PTop.AddAligned(*BTNUpdate, TAlign::alRight);
  PTop.AddAligned(*BTNHelp, TAlign::alRight);
  BTNHelp->OnClick = [this] { BTNHelpClick(); };
  BTNUpdate->OnClick = [this] { BTNUpdateClick(); };
  BTNHomePage->OnClick = [this] { BTNHomePageClick(); };
  forms::SetTabOrder({BTNHelp.get(), BTNHomePage.get(), BTNUpdate.get()});

  VTS = std::make_unique<TreeListWindow>();
  VTS->Create(Handle(), kListId, {0, kTopPanelHeight, width, height - kBottomPanelHeight});
  ConfigureColumns();
  TStringTreeList& list = VTS->List();
  list.OnGetText = [this](TStringTreeList& s, PTreeNode n, TColumnIndex c, TTreeTextType t, std::string& text) {
    VTSGetText(s, n, c, t, text);
  };
  list.OnGetImageIndex = [this](TStringTreeList& s, PTreeNode n, TTreeImageKind k, TColumnIndex c, bool& g, int& i) {
    VTSGetImageIndex(s, n, k, c, g, i);
  };
  list.OnFreeNode = [this](TStringTreeList& s, PTreeNode n) { VTSFreeNode(s, n); };
  list.OnAfterCellPaint = [this](TStringTreeList& s, Canvas& cv, PTreeNode n, TColumnIndex c, const Rect& r) {
    VTSAfterCellPaint(s, cv, n, c, r);
  };
  BindRowSorting(list);  // VTSCompareNodes, VTSHeaderClick
  list.OnColumnClick = [this](TStringTreeList& s, TColumnIndex c, TShiftState sh) { VTSColumnClick(s, c, sh); };
  list.OnGetPopupMenu = [this](TStringTreeList& s, PTreeNode n, TColumnIndex c, Point p, bool& ask, TPopupMenu& m) {
    VTSGetPopupMenu(s, n, c, p, ask, m);
  };
  list.OnDblClick = [this](TStringTreeList& s) { VTSDblClick(s); };

  PBottom.Create(*this, {{0, height - kBottomPanelHeight, width, height}, kPanelColor, forms::TBevel::bvRaised, 1});
  AddAligned(PBottom, TAlign::alBottom);
  AddAligned(VTS->Handle(), TAlign::alClient);

  forms::CheckBoxParams local = OptionBox(kShowLocalBox);
  local.own_color = true;
  local.color = kPanelColor;
  CBShowLocal.Create(PBottom, local);
  CBAutoRefresh.Create(PBottom, OptionBox(kAutoRefreshBox));
  CBAlwaysTop.Create(PBottom, OptionBox(kAlwaysTopBox));
  BTNRefresh = MakeMainButton(PBottom, {kRefreshButton.caption, kRefreshButton.bounds.ToRect(), "BTNREFRESH"});
  BTNEndPro = MakeMainButton(PBottom, {kEndProButton.caption, kEndProButton.bounds.ToRect(), "BTNENDPRO"});
  CBShowInfo.Create(PBottom, OptionBox(kShowInfoBox));
  CBShowIPv6.Create(PBottom, OptionBox(kShowIPv6Box));
  CBShowLocal.OnClick = [this] { CBShowLocalClick(); };
  CBAutoRefresh.OnClick = [this] { CBAutoRefreshClick(); };
  CBAlwaysTop.OnClick = [this] { CBAlwaysTopClick(); };
  CBShowInfo.OnClick = [this] { CBShowInfoClick(); };
  CBShowIPv6.OnClick = [this] { CBShowIPv6Click(); };
  BTNRefresh->OnClick = [this] { BTNRefreshClick(); };
  BTNEndPro->OnClick = [this] { BTNEndProClick(); };

  forms::LabelParams email;
  email.caption = kEmailLabelCaption;
  email.bounds = kEmailLabelBounds.ToRect();
  email.alignment = forms::TTextAlign::taRightJustify;
  Label6.Create(PBottom, email);
  HotURLLabelParams url;
  url.caption = kAuthorMail;
  url.url = std::string("mailto:") + kAuthorMail;
  url.bounds = kUrlLabelBounds.ToRect();
  URLLabel1.Create(PBottom, url);
  forms::SetTabOrder(
      {BTNRefresh.get(), BTNEndPro.get(), &CBShowLocal, &CBAutoRefresh, &CBAlwaysTop, &CBShowInfo, &CBShowIPv6});

  // The form's own tab order: the list, the top panel, the bottom panel.
  HWND previous = HWND_TOP;
  for (HWND h : {VTS->Handle(), PTop.Handle(), PBottom.Handle()}) {
    SetWindowPos(h, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = h;
  }

  std::function<void()> handlers[] = {[this] { NProcInfoClick(); }, nullptr, [this] { NEndProcClick(); }, nullptr,
                                      [this] { NCopyClick(); },     [this] { NLocateClick(); },
                                      [this] { NPropertyClick(); }};
  forms::MenuItem** items[] = {&NProcInfo, &N1, &NEndProc, &N3, &NCopy, &NLocate, &NProperty};
  for (std::size_t i = 0; i < kRowMenu.size(); ++i) {
    const std::string caption = kRowMenu[i];
    *items[i] = caption == "-" ? &PmTree.AddSeparator() : &PmTree.Add(caption, handlers[i]);
  }

  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TFormNetscry::ConfigureColumns() {
  TTreeHeader& header = VTS->List().Header();
  for (const ConnColumnInfo& info : kConnColumns) {
    TTreeColumn col;
    col.Text = info.caption;
    col.Width = info.width;
    col.Options = info.visible ? info.options.With(coVisible) : info.options;
    if (!info.options.Has(coParentColor)) col.Color = kOwnColumnColor;
    if (info.fixed_width) col.MinWidth = col.MaxWidth = info.width;
    col.Alignment = info.alignment;
    header.AddColumn(col);
  }
}

// --- FormCreate and shutdown -----------------------------------------------------------------

void TFormNetscry::FormCreate() {
  FHomePageURL = kHomePageURL;
  FUpdateURL = FHomePageURL + kUpdatePath;
  FCreating = true;
  FAppPath = deps_.app_path.empty() ? DirectoryOf(ExecutablePath()) : deps_.app_path;
  char sysdir[256] = {};
  GetSystemDirectoryA(sysdir, 255);
  FSysDir = SystemDirText(sysdir);
  LoadSettings();
  TStringTreeList& list = VTS->List();
  list.SetNodeRecordType(NodeRecordTypeOf<TMyRec>());
  list.SetNodeDataSize(kRowDataSize);
  FLargeIcons = std::make_unique<TImageListEx>(32);
  FSmallIcons = std::make_unique<TImageListEx>(16);
  state_images_ = std::make_unique<ImageListStateImages>(FSmallIcons->Handle());
  list.SetStateImages(state_images_.get());
  FMsgSysProcess = kMsgSysProcess;
  FMsgNotEnabled = kMsgNotEnabled;
  FMsgConfirmExit = kMsgConfirmExit;
  FMsgEndFailed = kMsgEndFailed;
  FMsgSystemDesc = kMsgSystemDesc;
  FMsgIdleDesc = kMsgIdleDesc;
  FMsgConfirmEndSys = kMsgConfirmEndSys;
  // The debug privilege is enabled only around the calls that need it (the snapshot's process
  // lookups, opening a process to end it), never for the programs the shell starts.
  FillList();
  FCreating = false;
}

void TFormNetscry::FormCloseQuery(bool& CanClose) {
  CanClose = forms::Application::Instance().ShowMessageBox(FMsgConfirmExit, forms::Application::Instance().Title(),
                                                           MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TFormNetscry::FormClose(forms::TCloseAction& Action) { Action = forms::TCloseAction::caFree; }

// --- Settings --------------------------------------------------------------------------------

NetscryOptions TFormNetscry::Options() const { return {FShowLocal, FAutoRefresh, FAlwaysTop, FShowInfo, FShowIPv6}; }

void TFormNetscry::LoadSettings() {
  {
    PrivateProfileFile file(SettingsPath());
    const NetscryOptions o = ReadOptions(file);
    FShowLocal = o.ShowLocal;
    FAutoRefresh = o.AutoRefresh;
    FAlwaysTop = o.AlwaysTop;
    FShowInfo = o.ShowInfo;
    FShowIPv6 = o.ShowIPv6;
  }
  // Only values that differ from the boxes' defaults are applied; changing a box runs its
  // handler, which writes the key again and applies the option. The first error ends this and
  // is dropped: start-up goes on with the remaining boxes at their defaults.
  try {
    if (!FShowLocal) CBShowLocal.SetChecked(false);
    if (FAutoRefresh) CBAutoRefresh.SetChecked(true);
    if (!FAlwaysTop) CBAlwaysTop.SetChecked(false);
    if (FShowInfo) CBShowInfo.SetChecked(true);
    if (!FShowIPv6) CBShowIPv6.SetChecked(false);
  } catch (const std::exception&) {
  }
}

void TFormNetscry::SaveSetting(int Kind) {
  PrivateProfileFile file(SettingsPath());
  WriteOption(file, Kind, Options());
}

// --- Fill and refresh ------------------------------------------------------------------------

void TFormNetscry::ShowCounters(int programs, int connections) {
  LabNetCount.SetCaption(std::to_string(connections));
  LabAppCount.SetCaption(std::to_string(programs));
}

void TFormNetscry::FillList() {
  // The first read runs here, before the window is shown, the same way the worker runs later ones.
  SnapshotJob job;
  job.source = deps_.snapshot;
  job.tcp = UnsharedCopy(TcpRecs);
  job.udp = UnsharedCopy(UdpRecs);
  RunSnapshotRead(job);
  if (job.error) std::rethrow_exception(job.error);
  TcpRecs = std::move(job.tcp);
  UdpRecs = std::move(job.udp);
  FSnapshotTime = job.taken_at;
  const ListCounters c =
      netscry::FillList(VTS->List(), TcpRecs, UdpRecs,
                        {CBShowLocal.Checked(), FMsgSystemDesc, FMsgIdleDesc, CBShowIPv6.Checked()});
  ShowCounters(c.Programs, c.Connections);
}

void TFormNetscry::RefreshList() {
  TStringTreeList& list = VTS->List();
  list.SetNodeDataSize(kRowDataSize);
  // TcpRecs and UdpRecs hold the snapshot the worker has just handed over.
  const ListCounters c =
      netscry::RefreshList(list, TcpRecs, UdpRecs,
                           {CBShowLocal.Checked(), FMsgSystemDesc, FMsgIdleDesc, CBShowIPv6.Checked()});
  // The list takes the keyboard only from the main window's own controls: a refresh by the timer
  // inside a dialog, a message box or a menu leaves the keys where the user types them.
  if (IsWindowEnabled(Handle()) && GetActiveWindow() == Handle()) ::SetFocus(VTS->Handle());
  ShowCounters(c.Programs, c.Connections);
  InvalidateRect(VTS->Handle(), nullptr, FALSE);
}

// --- Refresh control and options -------------------------------------------------------------

void TFormNetscry::BTNRefreshClick() {
  // One read at a time; a refresh asked for meanwhile becomes one more read after it.
  if (!refresh_gate_.Request()) return;
  BTNRefresh->SetEnabled(false);
  if (CBAutoRefresh.Checked()) Timer1.SetEnabled(false);
  StartSnapshotRead();
}

void TFormNetscry::StartSnapshotRead() {
  auto job = std::make_shared<SnapshotJob>();
  job->source = deps_.snapshot;
  job->target = Handle();
  job->message = SnapshotDoneMessage();
  job->serial = ++read_serial_;
  job->tcp = UnsharedCopy(TcpRecs);
  job->udp = UnsharedCopy(UdpRecs);
  if (!StartSnapshotWorker(job)) {
    refresh_gate_ = RefreshGate();
    RestoreRefreshControls();
    throw std::runtime_error("the snapshot thread could not be started");
  }
  read_ = std::move(job);
}

void TFormNetscry::RestoreRefreshControls() {
  BTNRefresh->SetEnabled(true);
  if (CBAutoRefresh.Checked()) Timer1.SetEnabled(true);
}

void TFormNetscry::SnapshotReadDone(WPARAM serial) {
  // Only the read this window started, once the worker has let go of it.
  if (!read_ || serial != read_serial_ || !read_->done.load(std::memory_order_acquire)) return;
  const std::shared_ptr<SnapshotJob> job = std::move(read_);
  std::exception_ptr error = job->error;
  if (!error) {
    TcpRecs = std::move(job->tcp);
    UdpRecs = std::move(job->udp);
    FSnapshotTime = job->taken_at;
    try {
      RefreshList();
    } catch (...) {
      error = std::current_exception();
    }
  }
  // The button and the timer come back whether or not the read or the merge failed; the error
  // then goes on to the application's handler. A refresh asked for meanwhile starts first.
  if (refresh_gate_.Finish()) {
    StartSnapshotRead();
  } else {
    RestoreRefreshControls();
  }
  if (error) std::rethrow_exception(error);
}

LRESULT TFormNetscry::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SnapshotDoneMessage() && msg != 0) {
    SnapshotReadDone(wp);
    return 0;
  }
  return Form::WndProc(msg, wp, lp);
}

void TFormNetscry::Timer1Timer() { BTNRefresh->Click(); }

void TFormNetscry::CBShowLocalClick() {
  FShowLocal = CBShowLocal.Checked();
  SaveSetting(CBShowLocal.Tag());
  if (!FCreating) BTNRefresh->Click();
}

void TFormNetscry::CBAutoRefreshClick() {
  FAutoRefresh = CBAutoRefresh.Checked();
  SaveSetting(CBAutoRefresh.Tag());
  Timer1.SetEnabled(CBAutoRefresh.Checked());
}

void TFormNetscry::CBAlwaysTopClick() {
  FAlwaysTop = CBAlwaysTop.Checked();
  SaveSetting(CBAlwaysTop.Tag());
  HWND main = FormNetscry ? FormNetscry->Handle() : Handle();
  RECT r{};
  GetWindowRect(main, &r);
  SetWindowPos(main, CBAlwaysTop.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.right - r.left,
               r.bottom - r.top, 0);
}

void TFormNetscry::CBShowInfoClick() {
  FShowInfo = CBShowInfo.Checked();
  SaveSetting(CBShowInfo.Tag());
  const TColumnOptions options = CBShowInfo.Checked() ? kDetailsShownOptions : kDetailsHiddenOptions;
  TTreeHeader& header = VTS->List().Header();
  for (const ConnColumnInfo& info : kConnColumns) {
    if (info.file_detail) header.SetColumnOptions(info.number, options);
  }
}

void TFormNetscry::CBShowIPv6Click() {
  FShowIPv6 = CBShowIPv6.Checked();
  SaveSetting(CBShowIPv6.Tag());
  if (!FCreating) BTNRefresh->Click();
}

void TFormNetscry::ShellOpen(HWND parent, const char* verb, const std::string& file) {
  deps_.shell->Open(parent, verb, file);
}

void TFormNetscry::BTNHelpClick() {
  ShellOpen(Handle(), "open", DirectoryOf(ExecutablePath()) + kHelpFileName);
}

void TFormNetscry::BTNHomePageClick() { ShellOpen(forms::Application::Instance().OwnerWindow(), nullptr, FHomePageURL); }

void TFormNetscry::BTNUpdateClick() { ShellOpen(forms::Application::Instance().OwnerWindow(), nullptr, FUpdateURL); }

// --- The list's callbacks --------------------------------------------------------------------

void TFormNetscry::VTSGetText(TStringTreeList& Sender, PTreeNode Node, TColumnIndex Column, TTreeTextType,
                              std::string& CellText) {
  CellText = netscry::CellText(Sender.ReadRowRecordAs<TMyRec>(Node), Column, FMsgNotEnabled);
}

void TFormNetscry::VTSGetImageIndex(TStringTreeList& Sender, PTreeNode Node, TTreeImageKind, TColumnIndex Column,
                                    bool&, int& ImageIndex) {
  CellImageIndex(Sender.ReadRowRecordAs<TMyRec>(Node), Column,
                 [this](const FieldText& path) { return FSmallIcons ? FSmallIcons->IndexOfFile(path.c_str()) : -1; },
                 ImageIndex);
}

void TFormNetscry::VTSFreeNode(TStringTreeList& Sender, PTreeNode Node) {
  // Read access: asking for a writable record would mark the row for the next sort while the
  // list is already letting go of it.
  if (const TMyRec* rec = Sender.ReadRowRecordAs<TMyRec>(Node)) ReleaseRowStrings(const_cast<TMyRec&>(*rec));
}

void TFormNetscry::VTSAfterCellPaint(TStringTreeList&, Canvas& TargetCanvas, PTreeNode Node, TColumnIndex Column,
                                     const Rect& CellRect) {
  if (!Node || ColumnPictureOf(Column) != ColumnPicture::kManageGlyph || Image1.IsEmpty()) return;
  TargetCanvas.DrawBitmap(Image1, Image1.Bounds(), CellRect.left + 12, CellRect.top + 3);
}

void TFormNetscry::VTSColumnClick(TStringTreeList& Sender, TColumnIndex Column, TShiftState) {
  RowMenuForColumnClick(*this, Sender, Column);
}

void TFormNetscry::VTSGetPopupMenu(TStringTreeList& Sender, PTreeNode Node, TColumnIndex, Point, bool&,
                                   TPopupMenu& PopupMenu) {
  PopupMenu = RowMenuForPopupRequest(*this, Sender, Node);
}

// Both act on the focused row itself, whatever row the menu was last prepared for.
void TFormNetscry::VTSDblClick(TStringTreeList&) {
  FMenuRow.reset();
  NProcInfoClick();
}

void TFormNetscry::BTNEndProClick() {
  FMenuRow.reset();
  NEndProcClick();
}

void TFormNetscry::NProcInfoClick() { RunRowCommand(*this, RowCommand::kProcInfo, *deps_.processes); }
void TFormNetscry::NEndProcClick() { RunRowCommand(*this, RowCommand::kEndProc, *deps_.processes); }
void TFormNetscry::NCopyClick() { RunRowCommand(*this, RowCommand::kCopy, *deps_.processes); }
void TFormNetscry::NLocateClick() { RunRowCommand(*this, RowCommand::kLocate, *deps_.processes); }
void TFormNetscry::NPropertyClick() { RunRowCommand(*this, RowCommand::kProperty, *deps_.processes); }

}  // namespace netscry
