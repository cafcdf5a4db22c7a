#pragma once

namespace lumera::download {

// The operator's messages of a send. Fixed texts in every interface language.
inline constexpr char kNoDataSendText[] = "No Data Send!";
inline constexpr char kCreateFileText[] = "Create File ";
inline constexpr char kCreateFileErrorText[] = "Error!";
inline constexpr char kConnectFailureText[] = "USB Device Connect Failure!!!";
inline constexpr char kWriteDataErrorText[] = "USB Write Data Error";
inline constexpr char kReadDataErrorText[] = "USB Read Data Error";
inline constexpr char kSystemErrorText[] = "System Error or Application Program Destruction!";
inline constexpr char kErrorIdText[] = "Error ID:";
inline constexpr char kNoEpromText[] = "产品没有连接好-It is no Eprom !";
inline constexpr char kEpromSmallText[] = "存储空间不够-The Eprom is small !";
inline constexpr char kWriteDataFailureText[] = "USB Write Data Failure!";
inline constexpr char kWriteTimeFormat[] = "Write time: %dms";
inline constexpr char kWriteSucceededText[] = "\r\nUSB Write Data Successed!";
// Another Send holds the display; nothing was sent.
inline constexpr char kDisplayBusyText[] =
    "The display is busy: another Send is writing to it. Try again when it has finished.";

}  // namespace lumera::download
