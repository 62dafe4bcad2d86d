# Copyright 2026 Vantle contributors. All Rights Reserved.
# The plugin compiled the way the engine's build compiles it, objects only: once as one unity
# translation unit (the engine batches a module's .cpp files so) and once file by file with no
# shared precompiled header, so a missing include or a clash between files shows up here first.
# Clang stands in for the warnings the engine's MSVC build treats as errors. A third target puts
# every host engine header into one translation unit, so a class/struct mismatch between any two
# of them is caught even where the plugin does not include both.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
	message(FATAL_ERROR "VANTLE_ENGINE_SHAPED needs clang (use the 'engine' preset)")
endif()

set(VantleEngineWarnings
	-Wall -Wextra -Werror
	# Off as in the default build: unused parameters (overrides of engine callbacks rarely use them
	# all; the engine turns MSVC's C4100 off too) and aggregate members left to their defaults.
	-Wno-unused-parameter -Wno-missing-field-initializers
	# C4456-C4459: a declaration hides a local, a parameter or a class member.
	-Wshadow -Wshadow-all
	# C4668: an undefined macro in #if.
	-Wundef
	# C4244, C4267, C4305: conversions that may lose data. MSVC does not warn about a change of
	# sign alone.
	-Wconversion -Wno-sign-conversion
	# C4099: a type declared as class in one place and struct in another (a link error on MSVC,
	# whose names encode the tag).
	-Wmismatched-tags)

function(vantle_engine_shaped Target)
	cmake_parse_arguments(ARG "" "" "SOURCES;MODULES" ${ARGN})
	add_library(${Target} OBJECT ${ARG_SOURCES})
	target_include_directories(${Target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Plugins/Vantle/Source/Vantle/Private)
	target_link_libraries(${Target} PRIVATE ${ARG_MODULES})
	target_compile_options(${Target} PRIVATE ${VantleEngineWarnings})
	set_target_properties(${Target} PROPERTIES UNITY_BUILD OFF EXCLUDE_FROM_ALL ON)
endfunction()

set(EngineShapedDir ${CMAKE_CURRENT_BINARY_DIR}/EngineShaped)

# Unity: every plugin .cpp in one translation unit, in a stable order.
set(VantleUnitySources ${VantleSources})
list(SORT VantleUnitySources)
set(Text "// Generated: the plugin's sources as one translation unit.\n")
foreach(Source ${VantleUnitySources})
	string(APPEND Text "#include \"${Source}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${EngineShapedDir}/Module.Vantle.cpp CONTENT "${Text}")
vantle_engine_shaped(VantleUnity SOURCES ${EngineShapedDir}/Module.Vantle.cpp MODULES ${VANTLE_PLUGIN_MODULES})

# Per file: each .cpp alone, nothing included for it.
vantle_engine_shaped(VantlePerFile SOURCES ${VantleSources} MODULES ${VANTLE_PLUGIN_MODULES})

# Every header of every re-created engine module.
file(GLOB HostPublicDirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/Host/*/Public)
set(Text "// Generated: every host engine header in one translation unit.\n")
set(HostModules)
foreach(PublicDir ${HostPublicDirs})
	get_filename_component(ModuleDir ${PublicDir} DIRECTORY)
	get_filename_component(Module ${ModuleDir} NAME)
	if(NOT TARGET Host${Module})
		continue()
	endif()
	list(APPEND HostModules Host${Module})
	file(GLOB_RECURSE Headers CONFIGURE_DEPENDS RELATIVE ${PublicDir} ${PublicDir}/*.h)
	list(SORT Headers)
	foreach(Header ${Headers})
		string(APPEND Text "#include \"${Header}\"\n")
	endforeach()
endforeach()
file(CONFIGURE OUTPUT ${EngineShapedDir}/HostHeaders.cpp CONTENT "${Text}")
vantle_engine_shaped(VantleHostHeaders SOURCES ${EngineShapedDir}/HostHeaders.cpp MODULES ${HostModules})
