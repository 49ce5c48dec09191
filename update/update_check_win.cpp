#include "update/update_check_win.h"

#include <objbase.h>
#include <urlmon.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/wide_string_win.h"
#include "resources/nightlatch_messages.h"
#include "settings/settings_file_win.h"
#include "update/update_rules.h"

namespace nightlatch {
namespace {

constexpr std::u16string_view kLinkSection = u"Link";

std::u16string Numbered(std::u16string_view key, int n) {
  return std::u16string(key) + static_cast<char16_t>(u'1' + n);
}

// Stops a transfer that grows past what an update file can be, or that is
// still running when the program exits, and keeps the HTTP status: an error
// page is no update file. The object lives on the stack of the download
// call; COM's counting does not own it.
class BoundedTransfer final : public IBindStatusCallback, public IHttpNegotiate {
 public:
  explicit BoundedTransfer(const std::atomic<bool>* exiting) : exiting_(exiting) {}

  bool answeredOk() const { return status_ == 0 || status_ == 200; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IBindStatusCallback) {
      *out = static_cast<IBindStatusCallback*>(this);
      return S_OK;
    }
    if (iid == IID_IHttpNegotiate) {
      *out = static_cast<IHttpNegotiate*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG, ULONG, LPCWSTR) override {
    if (progress > kMaxUpdateFileBytes || (exiting_ && exiting_->load()))
      return E_ABORT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* extra) override {
    *extra = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnResponse(DWORD status, LPCWSTR, LPCWSTR, LPWSTR* extra) override {
    status_ = status;
    if (extra)
      *extra = nullptr;
    return status == 200 ? S_OK : E_ABORT;
  }

 private:
  const std::atomic<bool>* exiting_;
  DWORD status_ = 0;
};

class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialized_)
      ::CoUninitialize();
  }

 private:
  bool initialized_;
};

bool Exiting(const UpdateCheckJob& job) {
  return job.exiting && job.exiting->load();
}

// A transfer that failed, was stopped, or left more than an update file
// can be counts as no download; what it left is removed.
bool Download(const std::u16string& address,
              const std::u16string& file,
              const UpdateCheckJob& job) {
  BoundedTransfer transfer(job.exiting.get());
  const HRESULT result =
      ::URLDownloadToFileW(nullptr, AsWide(address.c_str()), AsWide(file.c_str()), 0, &transfer);
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  const bool fits =
      ::GetFileAttributesExW(AsWide(file.c_str()), GetFileExInfoStandard, &attributes) &&
      attributes.nFileSizeHigh == 0 && attributes.nFileSizeLow <= kMaxUpdateFileBytes;
  if (SUCCEEDED(result) && transfer.answeredOk() && fits && !Exiting(job))
    return true;
  ::DeleteFileW(AsWide(file.c_str()));
  return false;
}

// The downloaded file's bytes; Download has bounded its size.
std::optional<std::string> FileBytes(const std::u16string& file) {
  const HANDLE opened = ::CreateFileW(AsWide(file.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE)
    return std::nullopt;
  std::string bytes(kMaxUpdateFileBytes, '\0');
  DWORD read = 0;
  const BOOL ok =
      ::ReadFile(opened, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(opened);
  if (!ok)
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

DWORD WINAPI CheckThread(void* parameter) {
  const std::unique_ptr<UpdateCheckJob> job(static_cast<UpdateCheckJob*>(parameter));
  RunUpdateCheck(*job);
  return 0;
}

}  // namespace

void RunUpdateCheck(const UpdateCheckJob& job) {
  ::CreateDirectoryW(AsWide(job.dataFolder.c_str()), nullptr);
  const std::u16string fetchedFile = job.dataFolder + u"\\ver.ini";
  ::Sleep(job.delayMilliseconds);
  if (Exiting(job))
    return;
  {
    ComApartment apartment;
    if (!Download(UpdateFileAddress(job.site), fetchedFile, job))
      return;
  }
  // Read here, not by the INI routines, which take a file without a mark
  // in the ANSI code page and any answer for an INI file.
  const std::optional<std::string> bytes = FileBytes(fetchedFile);
  const std::optional<FetchedUpdate> read = bytes ? ReadUpdateFile(*bytes) : std::nullopt;
  if (!read) {
    ::DeleteFileW(AsWide(fetchedFile.c_str()));
    return;
  }
  const FetchedUpdate& fetched = *read;
  const SettingsFile config(job.dataFolder + u"\\config.ini");
  const UpdateWrites writes =
      PlanUpdateWrites(fetched, config.Read(setting::kCheckDate), job.today);
  if (writes.linksAndVersion) {
    const std::u16string notes = job.dataFolder + u"\\note.ini";
    for (int n = 0; n < kUpdateLinkCount; ++n) {
      if (!writes.storedPairs[n])
        continue;
      const std::u16string title = Numbered(u"Title", n);
      const std::u16string url = Numbered(u"Url", n);
      WriteSetting(TextSetting{kLinkSection, title, u""}, fetched.titles[n], notes);
      WriteSetting(TextSetting{kLinkSection, url, u""}, fetched.urls[n], notes);
    }
    config.Write(setting::kKnownVersion, writes.version);
  }
  config.Write(setting::kCheckDate, writes.checkDate);
  ::DeleteFileW(AsWide(fetchedFile.c_str()));
  if (writes.linksAndVersion && !Exiting(job))
    ::SendMessageW(job.mainWindow, WM_UPDATE_FETCHED, 0, 0);
}

bool StartUpdateCheck(UpdateCheckJob job) {
  auto owned = std::make_unique<UpdateCheckJob>(std::move(job));
  const HANDLE thread = ::CreateThread(nullptr, 0, CheckThread, owned.get(), 0, nullptr);
  if (!thread)
    return false;
  (void)owned.release();
  ::CloseHandle(thread);
  return true;
}

}  // namespace nightlatch
