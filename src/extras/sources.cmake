include(extras/browser.cmake)
