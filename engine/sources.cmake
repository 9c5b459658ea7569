# The engine's sources, for the program's library and for the WebAssembly build of the page.
set(KELVARON_ENGINE_SOURCES
    text.h text.cpp unicode.cpp
    notation.h notation.cpp
    rounding.h rounding.cpp
    distributions.h distributions.cpp
    designs.h designs.cpp
    pformat.h pformat.cpp
    textcheck.h textcheck.cpp
    scanner.h scanner.cpp
    textreader.h textreader.cpp statisticreader.cpp
    tails.h tails.cpp
    verdicts.h verdicts.cpp
    estimatep.h estimatep.cpp
    figurecheck.h figurecheck.cpp figurecontext.h figurereader.h figurereader.cpp
    effectchecks.cpp intervalchecks.cpp samplechecks.cpp
    fastscan.h
    findingstable.h findingstable.cpp
    checkjson.h checkjson.cpp
)
list(TRANSFORM KELVARON_ENGINE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
