# Read by CTest once the suites have listed their tests. The walks (over every command, window,
# field or hold, or minutes of input) take from a quarter of a minute to two minutes in a plain
# build where the rest take seconds: they carry the label walk beside their kind (ctest -LE walk
# leaves them out), and each a cost of its seconds in a plain build, so that ctest -j starts the
# longest first and fits the short tests around them. CTest prefers the times it measured itself
# once a build folder has run them.
set(walks
    "^RandomInputOnDesktop\\." 110
    "^KeyboardLeaving[A-Za-z]*\\.EveryHoldEnds" 85
    "^KeyboardLeaving[A-Za-z]*\\.EveryHoldInADialogTheMenusOpen" 60
    "^KeyboardLeaving[A-Za-z]*\\." 30
    "^CloseUnderModalLoopOnDesktop\\." 30
    "^WindowSweepOnDesktop\\." 20
    "^ProgramOnDesktop\\.(LayoutAnd3DWindows|MenusOpenAndClose)" 25
    "^WalkedFields\\." 100
    "^EachUnit/BoundedFields\\." 35
    "^OneCommandOneUndo\\." 20
    "^EachState/WalkedStates\\." 50
    "^TabbedDialogsKeyboard\\." 15)

function(label_walks suite_tests kind)
  foreach(test IN LISTS ${suite_tests})
    set(rest ${walks})
    while(rest)
      list(POP_FRONT rest pattern cost)
      if(test MATCHES "${pattern}")
        set_tests_properties(${test} PROPERTIES LABELS "${kind};walk" COST ${cost})
        break()
      endif()
    endwhile()
  endforeach()
endfunction()

label_walks(app_tests_TESTS program)
label_walks(desktop_tests_TESTS desktop)
