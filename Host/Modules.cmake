# Copyright Vantle contributors. All Rights Reserved.
# Host modules with the dependencies of their engine counterparts. A module whose Private/ has no
# source yet is an interface library, so the tree configures while modules are being written.
function(vantle_module Name)
	file(GLOB_RECURSE Sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Host/${Name}/Private/*.cpp)
	if(Sources)
		vantle_host_module(${Name} ${ARGN})
	else()
		cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
		add_library(Host${Name} INTERFACE)
		target_include_directories(Host${Name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/Host/${Name}/Public)
		target_link_libraries(Host${Name} INTERFACE ${ARG_DEPS})
	endif()
endfunction()

pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo pangocairo pangoft2 librsvg-2.0 fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
find_package(nlohmann_json REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

vantle_module(Core DEPS Threads::Threads)
# The editor builds that the plugin targets compile the development automation tests in.
target_compile_definitions(HostCore PUBLIC WITH_DEV_AUTOMATION_TESTS=1)
vantle_module(CoreUObject DEPS HostCore)
vantle_module(ImageCore DEPS HostCore PRIVATE_DEPS PkgConfig::PNG)
vantle_module(Json DEPS HostCore PRIVATE_DEPS nlohmann_json::nlohmann_json)
vantle_module(HTTP DEPS HostCore PRIVATE_DEPS PkgConfig::CURL)
vantle_module(Projects DEPS HostCore PRIVATE_DEPS nlohmann_json::nlohmann_json)
vantle_module(SlateCore DEPS HostCore HostImageCore PRIVATE_DEPS PkgConfig::CAIRO)
vantle_module(Slate DEPS HostSlateCore PRIVATE_DEPS PkgConfig::CAIRO)
vantle_module(Engine DEPS HostCoreUObject HostImageCore HostSlateCore PRIVATE_DEPS PkgConfig::PNG)
vantle_module(EditorSubsystem DEPS HostEngine)
vantle_module(MovieScene DEPS HostCoreUObject HostEngine)
vantle_module(LevelSequence DEPS HostMovieScene)
vantle_module(UnrealEd DEPS HostEngine HostEditorSubsystem HostSlate)
vantle_module(LevelSequenceEditor DEPS HostLevelSequence HostUnrealEd HostEditorSubsystem)
vantle_module(ToolMenus DEPS HostSlate HostCoreUObject)
vantle_module(HTTPServer DEPS HostCore PRIVATE_DEPS Threads::Threads PkgConfig::HTTPLIB)
vantle_module(ModelContextProtocol DEPS HostHTTPServer HostJson PRIVATE_DEPS nlohmann_json::nlohmann_json)

# The host folds the engine's UniversalObjectLocator module into MovieScene.
add_library(HostUniversalObjectLocator INTERFACE)
target_link_libraries(HostUniversalObjectLocator INTERFACE HostMovieScene)

# The plugin links exactly the engine modules its Build.cs names, read from the Build.cs itself.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/Plugins/Vantle/Source/Vantle/Vantle.Build.cs VantleBuildCs)
string(REGEX MATCHALL "\"[A-Za-z]+\"," VantleBuildCsModules "${VantleBuildCs}")
set(VANTLE_PLUGIN_MODULES)
foreach(Quoted ${VantleBuildCsModules})
	string(REGEX REPLACE "[\",]" "" Module "${Quoted}")
	if(NOT TARGET Host${Module})
		message(FATAL_ERROR "Vantle.Build.cs names the module ${Module}, which Host/ does not re-create")
	endif()
	list(APPEND VANTLE_PLUGIN_MODULES Host${Module})
endforeach()
message(STATUS "Vantle links ${VANTLE_PLUGIN_MODULES}")

# Where the core style finds its images, whatever folder a program runs from.
target_compile_definitions(HostSlateCore PRIVATE VANTLE_SLATECORE_RESOURCES_DIR="${CMAKE_CURRENT_SOURCE_DIR}/Host/SlateCore/Resources")
