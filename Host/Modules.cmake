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

# The engine modules the plugin's Build.cs names.
set(VANTLE_PLUGIN_MODULES HostCore HostCoreUObject HostEngine HostUnrealEd HostEditorSubsystem HostMovieScene HostLevelSequence
	HostLevelSequenceEditor HostHTTP HostJson HostProjects HostImageCore HostSlate HostSlateCore HostToolMenus)
