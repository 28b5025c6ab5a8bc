// Every text must reach Windows as its code page 932 bytes. The expected bytes
// come from Windows' own conversion of a UTF-16 literal, independent of the
// compiler's narrow execution character set.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "config/product_config.h"
#include "config/texts.h"

namespace {
std::string Cp932(const wchar_t* text) {
  int size = WideCharToMultiByte(932, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  BOOL lossy = FALSE;
  WideCharToMultiByte(932, 0, text, -1, &bytes[0], size, nullptr, &lossy);
  EXPECT_FALSE(lossy) << "not representable in code page 932";
  bytes.resize(size - 1);
  return bytes;
}

struct TextCase {
  const char* name;
  const char* actual;
  const wchar_t* expected;
};

const TextCase kTexts[] = {
    {"Caption", ProductConfig.Caption, L"Lumivera 更新プログラム"},
    {"BrowseTitle", ProductConfig.BrowseTitle, L"Lumiveraのフォルダーを選択して下さい。"},
    {"MakerFolder", ProductConfig.MakerFolder, L"Amberlune"},
    {"GameName", ProductConfig.GameName, L"hoshivo"},
    {"DialogTitle", ProductConfig.DialogTitle, L"更新処理"},
    {"DoneMessage", ProductConfig.DoneMessage, L"更新処理が終了しました。"},
    {"OverwriteQuestion", ProductConfig.OverwriteQuestion,
     L"既に更新処理が行われています。\r\n上書き処理を行いますか？"},
    {"GroupText", ProductConfig.GroupText, L"下記のインストール先に更新処理を行います。"},
    {"AppDataNotFound", Text::AppDataNotFound, L"AppDataフォルダが見つかりませんでした"},
    {"SaveDataQuestion", Text::SaveDataQuestion,
     L"この更新プログラムを実行すると、セーブデータは使用できなくなります。\nよろしいですか？"},
    {"NotGameFolder", Text::NotGameFolder, L"ゲームフォルダーではありません。"},
    {"InvalidFolderName", Text::InvalidFolderName, L"無効なフォルダー名が入力されました"},
    {"SelectedTrace", Text::SelectedTrace, L"選択された"},
    {"SourceNotFound", Text::SourceNotFound, L"コピー元のファイルが見つかりません。"},
    {"DiskFull", Text::DiskFull, L"ディスクの空き容量が不足しています。"},
    {"FreeSpaceUnknown", Text::FreeSpaceUnknown, L"ディスクの空き容量が取得できません。"},
    {"CopyFailed", Text::CopyFailed, L"アップデートファイルのコピーに失敗しました。"},
    {"ManifestUpdateFailed", Text::ManifestUpdateFailed, L"インストール情報の更新に失敗しました。"},
    {"OpenSourceFailed", Text::OpenSourceFailed, L"ファイルの読み込みに失敗"},
    {"CreateFailed", Text::CreateFailed, L"ファイル作成失敗"},
    {"ReadFailed", Text::ReadFailed, L"ファイル読み込み失敗"},
    {"WriteFailed", Text::WriteFailed, L"ファイル書き込み失敗"},
    {"PathTooLong", Text::PathTooLong, L"パスが長すぎます。"},
    {"JoinFormat", Name::JoinFormat, L"%s\\%s"},
    {"GameExeFormat", Name::GameExeFormat, L"%s\\%s.exe"},
    {"Separator", Name::Separator, L"\\"},
    {"IniSuffix", Name::IniSuffix, L".ini"},
    {"IniSection", Name::IniSection, L"INSTALL"},
    {"IsInstallKey", Name::IsInstallKey, L"IsInstall"},
    {"InstallFoldKey", Name::InstallFoldKey, L"InstallFold"},
    {"Manifest", Name::Manifest, L"Setup.dat"},
    {"ManifestFileLine", Name::ManifestFileLine, L"F %s;\r\n"},
    {"DialogTemplate", Name::DialogTemplate, L"PATCH"},
    {"EditClass", Name::EditClass, L"EDIT"},
    {"InitialSelection", Name::InitialSelection, L"C:"},
};

TEST(Texts, EveryTextIsItsCodePage932Bytes) {
  for (const auto& t : kTexts) {
    EXPECT_EQ(std::string(t.actual), Cp932(t.expected)) << t.name;
  }
}

TEST(Texts, TheTwoQuestionsKeepTheirOwnLineBreaks) {
  const std::string save = Text::SaveDataQuestion;
  const std::string overwrite = ProductConfig.OverwriteQuestion;
  ASSERT_NE(save.find('\n'), std::string::npos);
  EXPECT_EQ(save.find('\r'), std::string::npos) << "the save-data question has a lone LF";
  EXPECT_NE(overwrite.find("\r\n"), std::string::npos);
  EXPECT_EQ(overwrite.find('\n'), overwrite.find("\r\n") + 1) << "the only LF follows a CR";
}

TEST(Texts, UpdateFilesInOrderWithEndMarker) {
  const char* const* files = ProductConfig.UpdateFiles;
  ASSERT_STREQ(files[0], "patch.pac");
  ASSERT_STREQ(files[1], "data.pac");
  EXPECT_EQ(files[2], nullptr);
}

TEST(Texts, RunsUnderCodePage932) {
  // Everything above is only meaningful if Windows reads narrow strings as 932.
  EXPECT_EQ(GetACP(), 932u);
}
}  // namespace
