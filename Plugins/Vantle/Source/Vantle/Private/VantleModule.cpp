// Copyright Vantle contributors. All Rights Reserved.
