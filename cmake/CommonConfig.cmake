# One interface target carries the language level, warnings, sanitizers and Qt defines.
option(HQ_WERROR "Treat compiler warnings as errors" OFF)
option(HQ_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(hq_options INTERFACE)
target_compile_features(hq_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(hq_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports string concatenations at -O2 as overlapping copies (a known false positive).
    target_compile_options(hq_options INTERFACE -Wno-restrict)
endif()
if(HQ_WERROR)
    target_compile_options(hq_options INTERFACE -Werror)
endif()
if(HQ_SANITIZE)
    target_compile_options(hq_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                -fno-omit-frame-pointer)
    target_link_options(hq_options INTERFACE -fsanitize=address,undefined)
else()
    # Debian's hardening for the programs we ship. The compile-time part only where the optimiser runs:
    # glibc warns about _FORTIFY_SOURCE at -O0, and -Werror would turn that into a failed Debug build.
    # The sanitizer builds keep without it, as fortified calls hide accesses from ASan.
    set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    target_compile_options(hq_options INTERFACE $<${optimised}:-fstack-protector-strong>)
    target_compile_definitions(hq_options INTERFACE $<${optimised}:_FORTIFY_SOURCE=2>)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC 12 takes the fortified memcpy of a QStringBuilder concatenation for a write into
        # QString's shared empty string (a false positive); shown, but not failing the build.
        target_compile_options(hq_options INTERFACE $<${optimised}:-Wno-error=array-bounds>
                                                    $<${optimised}:-Wno-error=stringop-overflow>)
    endif()
    target_link_options(hq_options INTERFACE LINKER:-z,relro,-z,now)
endif()
# Targets with many sources compile them in batches: the Qt and GoogleTest headers are parsed once
# per batch instead of once per file.
option(HQ_UNITY "Compile the sources of the larger targets in batches" ON)
function(hq_unity target)
    if(HQ_UNITY)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 12)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            # A batch includes each source like a header, so GCC would report every test fixture in
            # an unnamed namespace as a type of a header with internal linkage.
            target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
        endif()
    endif()
endfunction()

# Debug builds carry line tables only: a third less to compile and link, and a backtrace still
# names file and line.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(hq_options INTERFACE $<$<CONFIG:Debug>:-g1>)
endif()
# gold links the many test programs in half the time of the default linker.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold HQ_HAVE_GOLD)
if(HQ_HAVE_GOLD)
    target_link_options(hq_options INTERFACE -fuse-ld=gold)
endif()
target_compile_definitions(hq_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER QT_NO_FOREACH QT_DISABLE_DEPRECATED_BEFORE=0x060400)
