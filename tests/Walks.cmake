# Read by CTest once the suites have listed their tests. The walks (over every command, window,
# field or hold, or minutes of input) take from a quarter of a minute to two minutes in a plain
# build where the rest take seconds: they carry the label walk beside their kind (ctest -LE walk
# leaves them out), and each a cost of its seconds in a plain build, so that ctest -j starts the
# longest first and fits the short tests around them. CTest prefers the times it measured itself
# once a build folder has run them.
set(walks
    "^RandomInputOnDesktop\\." 110
    "^EachPart/KeyboardLeaving[A-Za-z]*\\.EveryHoldEnds" 50
    "^EachPart/KeyboardLeaving[A-Za-z]*\\.EveryHoldInADialogTheMenusOpen" 30
    "^EachPart/KeyboardLeaving[A-Za-z]*\\." 15
    "^CloseUnderModalLoopOnDesktop\\." 30
    "^WindowSweepOnDesktop\\." 20
    "^ProgramOnDesktop\\.(LayoutAnd3DWindows|MenusOpenAndClose)" 25
    "^EachPart/WalkedFields\\." 35
    "^EachUnit/BoundedFields\\." 35
    "^OneCommandOneUndo\\." 20
    "^EachState/WalkedStates\\." 50
    "^TabbedDialogsKeyboard\\." 15)

set(matched_walks)

function(label_walks suite_tests kind)
  set(matched ${matched_walks})
  foreach(test IN LISTS ${suite_tests})
    set(rest ${walks})
    while(rest)
      list(POP_FRONT rest pattern cost)
      if(test MATCHES "${pattern}")
        set_tests_properties(${test} PROPERTIES LABELS "${kind};walk" COST ${cost})
        list(APPEND matched "${pattern}")
        break()
      endif()
    endwhile()
  endforeach()
  set(matched_walks ${matched} PARENT_SCOPE)
endfunction()

label_walks(app_tests_TESTS program)
label_walks(desktop_tests_TESTS desktop)

# A walk renamed away from its pattern would lose its label and cost without a word.
if(DEFINED app_tests_TESTS AND DEFINED desktop_tests_TESTS)
  set(rest ${walks})
  while(rest)
    list(POP_FRONT rest pattern cost)
    list(FIND matched_walks "${pattern}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "No test is named as the walk pattern ${pattern} expects: rename the pattern with its test")
    endif()
  endwhile()
endif()
