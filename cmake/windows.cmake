# The 32-bit Windows program, and its end-to-end tests run under Wine.
enable_language(RC)

configure_file(${CMAKE_SOURCE_DIR}/cmake/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
# The manifest carries the version too; the resource script finds it in generated/ (res/ holds only the template).
# Its architecture must be the program's, or Windows refuses to start a 64-bit build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(MARDELLO_MANIFEST_ARCH amd64)
else()
    set(MARDELLO_MANIFEST_ARCH x86)
endif()
configure_file(${CMAKE_SOURCE_DIR}/res/Mardello.manifest.in ${CMAKE_BINARY_DIR}/generated/Mardello.manifest @ONLY)

set(WIN32_SOURCES
    framework/Controls.cpp
    framework/Dialog.cpp
    framework/FindReplaceDialog.cpp
    framework/MessageFilter.cpp
    framework/FileFind.cpp
    framework/Gdi.cpp
    framework/PrintDialog.cpp
    framework/FileDialog.cpp
    framework/StdioFile.cpp
    framework/AnsweredWork.cpp
    framework/LocalTimeOf.cpp
    framework/SystemLibrary.cpp
    framework/SystemMessage.cpp
    framework/WinApp.cpp
    framework/WinAppProfile.cpp
    framework/WideText.cpp
    framework/CodePageText.cpp
    framework/Wnd.cpp
    app/MardelloApp.cpp
    ui/MardelloDlg.cpp
    ui/MainSkinButtons.cpp
    ui/MardelloDlgDevice.cpp
    ui/MardelloDlgReports.cpp
    ui/MardelloDlgOutput.cpp
    ui/ReportOutput.cpp
    ui/MainSkin.cpp
    ui/DisplayScale.cpp
    ui/ScaledPictures.cpp
    ui/WindowMenu.cpp
    ui/ViewCommands.cpp
    ui/AboutDlg.cpp
    ui/MardelloDlgVinFacts.cpp
    ui/WorkshopDlg.cpp
    ui/MardelloDlgKeys.cpp
    reports/ReportView.cpp
    reports/ReportViewKeys.cpp
    reports/ReportViewMenu.cpp
    reports/ViewerFind.cpp
    reports/EncodingChoice.cpp
    reports/ViewerFont.cpp
    ui/PrintPreviewDlg.cpp
    ui/PrintProgressDlg.cpp
    device/SystemDrives.cpp
    device/DeviceTracker.cpp
    reports/ReportViewer.cpp
    reports/ReportFileText.cpp
    output/PrintJob.cpp
    output/PrintPages.cpp
    output/PrintFont.cpp
    output/DefaultPrinter.cpp
    output/CopyToClipboard.cpp
    output/SaveAsFile.cpp
    history/AbandonedKeeping.cpp
    history/HistoryFolder.cpp
    history/KeepRun.cpp
    history/Outbox.cpp
    history/EarlierRuns.cpp
    history/HistoryWatch.cpp
    history/KeepSetting.cpp
    history/HistoryKeeper.cpp
    history/KeptRuns.cpp
    history/DeletedRunsFile.cpp
    history/DeleteKeptRuns.cpp
    history/DeletionThread.cpp
    dtc/RunReport.cpp
    dtc/RunComparison.cpp
    ui/HistoryDlg.cpp
    ui/ExploreFolder.cpp
    ui/HistoryDlgCompare.cpp
    ui/HistoryDlgLayout.cpp
    ui/HistoryFolderPicker.cpp
    ui/MardelloDlgHistory.cpp
    jobcard/JobCardStore.cpp
    ui/RunJobCard.cpp
    ui/KeptRunOpening.cpp
    ui/JobCardDlg.cpp
)
add_executable(Mardello WIN32 ${WIN32_SOURCES} res/Mardello.rc)
# windres reports no dependencies: the pictures and the manifest are named here.
file(GLOB resource_pictures CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico)
set_source_files_properties(res/Mardello.rc PROPERTIES OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/generated/Mardello.manifest;${resource_pictures}")
target_compile_options(Mardello PRIVATE ${MARDELLO_WARNINGS})
# Multibyte program for the Windows 7 API level; static runtime, so nothing but system DLLs is needed.
target_compile_definitions(Mardello PRIVATE _WIN32_WINNT=0x0601 WINVER=0x0601 _MBCS)
target_include_directories(Mardello PRIVATE ${CMAKE_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(Mardello PRIVATE mardello_rules gdi32 user32 kernel32)
# No link time in the header: two builds of one commit give the same bytes.
target_link_options(Mardello PRIVATE -static -s -Wl,--no-insert-timestamp)
# Large-address aware: on a 64-bit system the 32-bit viewer of a huge report may use up to 4 GB
# (Wine's rich edit takes about 200 bytes per character shown). A 64-bit program has that room anyway.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(Mardello PRIVATE -Wl,--large-address-aware)
endif()
target_compile_definitions(mardello_rules PRIVATE _WIN32_WINNT=0x0601)

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
    add_subdirectory(tests/e2e)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()
