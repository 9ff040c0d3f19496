#include "messages.hpp"

#include <string_view>

#include "common/text.hpp"

namespace plx::cli {
namespace {

struct Phrase {
  std::wstring_view english, chinese;
};

// libzip's, the C library's and SQLite's error texts, longest first where
// one contains another.
constexpr Phrase kPhrases[] = {
    {L"Not a zip archive", L"不是 zip 压缩包（文件已损坏，或不是 .docx）"},
    {L"Zip archive inconsistent", L"zip 压缩包内部不一致（文件已损坏）"},
    {L"Premature end of file", L"文件意外结束（文件不完整）"},
    {L"Compressed data invalid", L"压缩数据无效（文件已损坏）"},
    {L"CRC error", L"校验错误（文件已损坏）"},
    {L"Compression method not supported", L"不支持的压缩方法"},
    {L"Encryption method not supported", L"不支持的加密方法"},
    {L"Encrypted data", L"数据已加密"},
    {L"No password provided", L"没有提供密码"},
    {L"Wrong password provided", L"密码错误"},
    {L"Multi-disk zip archives not supported", L"不支持分卷 zip 压缩包"},
    {L"Read-only archive", L"压缩包只读"},
    {L"Renaming temporary file failed", L"临时文件改名失败"},
    {L"Closing zip archive failed", L"关闭 zip 压缩包失败"},
    {L"Failure to create temporary file", L"无法创建临时文件"},
    {L"Malloc failure", L"内存不足"},
    {L"Internal error", L"内部错误"},
    {L"Invalid argument", L"参数无效"},
    {L"Seek error", L"定位错误"},
    {L"Read error", L"读取错误"},
    {L"Write error", L"写入错误"},
    {L"Tell error", L"读取位置错误"},
    {L"Can't open file", L"无法打开文件"},
    {L"No such file or directory", L"没有那个文件或目录"},
    {L"No such file", L"没有那个文件"},
    {L"File already exists", L"文件已存在"},
    {L"Permission denied", L"没有权限"},
    {L"Is a directory", L"是一个文件夹"},
    {L"Not a directory", L"不是文件夹"},
    {L"No space left on device", L"磁盘空间不足"},
    {L"Read-only file system", L"文件系统只读"},
    {L"Too many open files", L"打开的文件过多"},
    {L"File name too long", L"文件名过长"},
    {L"Input/output error", L"输入输出错误"},
    {L"file is not a database", L"文件不是数据库"},
    {L"database disk image is malformed", L"数据库文件已损坏"},
    {L"unable to open database file", L"无法打开数据库文件"},
    {L"attempt to write a readonly database", L"数据库只读，无法写入"},
    {L"database is locked", L"数据库被锁定"},
    {L"no such table", L"没有这个表"},
};

}  // namespace

std::wstring InChinese(const std::wstring& message) {
  std::wstring out = message;
  for (const Phrase& p : kPhrases) out = Replace(out, p.english, p.chinese);
  return out;
}

}  // namespace plx::cli
