# KELVARON_SANITIZE builds every target with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer, for the second run of the test suite (scripts/test-sanitized.sh).
option(KELVARON_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KELVARON_SANITIZE)
    # Undefined behaviour ends the program like a memory error does, so that ctest sees it.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
